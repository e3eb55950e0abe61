// A picture that a program writes into a file named on its command line, written so that a
// run never leaves a half-written picture and never destroys an older one: the picture goes
// into a temporary file in the same folder, which only replaces the named file, in one
// rename, once it has been written whole. Where the named file is a symbolic link, the
// picture replaces the file it leads to and the link stays; a file replaced keeps its
// permissions. A stop signal removes the temporary file (see console/signals.h).
#ifndef CONSOLE_PICTURE_FILE_H
#define CONSOLE_PICTURE_FILE_H

#include "console/output.h"

#include <functional>
#include <ostream>
#include <string>

namespace console {

class PictureFile {
public:
    // Nothing is created yet.
    explicit PictureFile(std::string path);
    // Removes the temporary file of a picture that was written but not kept.
    ~PictureFile();
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    // Writes the picture, through `draw`, into a new temporary file beside the named file,
    // and makes sure it is on the disk. A failure (the named file is there but is not a
    // regular file, the folder can't take a file, the disk is full) is remembered for
    // keep(), and the temporary file removed; the result tells whether all went well.
    // Should `draw` throw, the temporary file is removed and the exception goes on.
    bool write(const std::function<void(std::ostream&)>& draw);

    // Flushes `out` (the dialogue; a failure throws, as its flush does, and keeps nothing),
    // then puts the written picture in the named file's place and returns 0. When it was not
    // written, or can't be put there, it writes
    // one line on standard error: the program's name, the file's name and the reason, as in
    // "nearshape: a kep nem irhato: 'out/p.svg': No such file or directory"; and returns 5.
    int keep(const char* program, Output& out);

private:
    void discard() noexcept;  // removes the temporary file, if there is one
    void unlist() noexcept;   // takes the picture off the list for abandon_pictures

    // The failure of a named file that is there but is not a regular file.
    static constexpr int not_regular = -1;

    std::string path;       // the named file
    std::string target;     // the file it leads to, through symbolic links
    std::string temporary;  // the temporary file while it exists, else empty
    int error = 0;          // errno of the first failure, or not_regular; 0 while all is well
    bool written = false;

    PictureFile* next_pending = nullptr;  // the pictures with a temporary file, for abandon_pictures
    friend void abandon_pictures() noexcept;
};

// write() and keep() at once: the whole picture at the end of a run. Returns keep's status.
int write_picture(const std::string& path, const char* program, Output& out,
                  const std::function<void(std::ostream&)>& draw);

// Removes the temporary file of every picture not yet kept. For a run that ends on the spot
// (out of memory, where no destructor runs); allocates nothing.
void abandon_pictures() noexcept;

}  // namespace console

#endif
