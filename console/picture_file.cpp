#include "console/picture_file.h"

#include "console/signals.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <streambuf>
#include <utility>

namespace console {

namespace {

// Standard output of a file descriptor, through a buffer of its own, so that writing a
// picture allocates nothing. The first failure is kept in `error`; after it, nothing more is
// written.
class FileOutput : public std::streambuf {
public:
    explicit FileOutput(int descriptor) : descriptor(descriptor) { setp(buffer, buffer + sizeof buffer); }

    int error = 0;

protected:
    int_type overflow(int_type c) override
    {
        if (!drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override { return drain() ? 0 : -1; }

private:
    bool drain()
    {
        const char* from = pbase();
        while (error == 0 && from < pptr()) {
            const ssize_t done = ::write(descriptor, from, pptr() - from);
            if (done >= 0)
                from += done;
            else if (errno != EINTR)
                error = errno;
        }
        setp(buffer, buffer + sizeof buffer);
        return error == 0;
    }

    int descriptor;
    char buffer[1 << 16];
};

PictureFile* pending = nullptr;  // the pictures that have a temporary file, linked by next_pending

// The name of a temporary file beside `path`: hidden, and unlike any the user would choose.
std::string temporary_beside(const std::string& path, int attempt)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    // The file's own name, shortened so that the temporary name stays within NAME_MAX.
    const std::string name = path.substr(start, 200);
    return path.substr(0, start) + '.' + name + '.' + std::to_string(::getpid()) + '-' + std::to_string(attempt)
        + ".tmp";
}

// The file a name leads to: the name itself, or, for a symbolic link, the end of its chain of
// links (which need not exist yet); a link's relative target starts in the link's folder.
std::string resolved(std::string path)
{
    char target[PATH_MAX];
    for (int links = 0; links < 40; ++links) {
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0 || length == sizeof target)
            break;
        const std::string next(target, length);
        path = next[0] == '/' ? next : path.substr(0, path.rfind('/') + 1) + next;
    }
    return path;
}

// Tells the stop signals to remove the temporary file of the latest picture not yet kept.
void remove_pending_on_stop(const std::string* temporary) { remove_on_stop(temporary ? temporary->c_str() : nullptr); }

}  // namespace

PictureFile::PictureFile(std::string path) : path(std::move(path)) {}

PictureFile::~PictureFile() { discard(); }

void PictureFile::unlist() noexcept
{
    for (PictureFile** link = &pending; *link; link = &(*link)->next_pending)
        if (*link == this) {
            *link = next_pending;
            break;
        }
    remove_pending_on_stop(pending ? &pending->temporary : nullptr);
}

void PictureFile::discard() noexcept
{
    if (temporary.empty())
        return;
    ::unlink(temporary.c_str());
    unlist();
    temporary.clear();
}

bool PictureFile::write(const std::function<void(std::ostream&)>& draw)
{
    discard();
    written = false;
    // A picture replaces a regular file only: renamed over a device such as /dev/null, a
    // pipe or a folder, it would put a plain file in its place. Through a symbolic link it
    // replaces the file the link leads to, with the same permissions.
    target = resolved(path);
    struct stat existing;
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        error = S_ISDIR(existing.st_mode) ? EISDIR : not_regular;
        return false;
    }
    // The name is ready before the file is made, so that a stop signal finds it.
    int descriptor = -1;
    for (int attempt = 0; descriptor < 0 && attempt < 100; ++attempt) {
        remove_pending_on_stop(pending ? &pending->temporary : nullptr);
        temporary = temporary_beside(target, attempt);
        remove_on_stop(temporary.c_str());
        descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno != EEXIST)
            break;
    }
    if (descriptor < 0) {
        error = errno;
        remove_pending_on_stop(pending ? &pending->temporary : nullptr);
        temporary.clear();
        return false;
    }
    next_pending = pending;
    pending = this;
    if (exists && ::fchmod(descriptor, existing.st_mode & 07777) != 0) {
        error = errno;
        ::close(descriptor);
        discard();
        return false;
    }
    FileOutput buffer(descriptor);
    std::ostream out(&buffer);
    try {
        draw(out);
    } catch (...) {
        ::close(descriptor);
        discard();
        throw;
    }
    out.flush();
    int failure = buffer.error;
    if (failure == 0 && !out)
        failure = EIO;
    if (failure == 0 && ::fsync(descriptor) != 0 && errno != EINVAL)
        failure = errno;
    if (::close(descriptor) != 0 && failure == 0 && errno != EINTR)
        failure = errno;
    if (failure != 0) {
        error = error ? error : failure;
        discard();
        return false;
    }
    written = true;
    return true;
}

int PictureFile::keep(const char* program, Output& out)
{
    out.flush();  // a dialogue that can't be written keeps no picture
    if (written && error == 0) {
        if (::rename(temporary.c_str(), target.c_str()) == 0) {
            unlist();
            temporary.clear();  // it is the named file now
            return 0;
        }
        error = errno;
    }
    discard();
    Output errors(STDERR_FILENO);
    errors << program << ": a kep nem irhato: '" << path
           << "': " << (error == not_regular ? "Not a regular file" : std::strerror(error ? error : EIO)) << '\n';
    return 5;
}

int write_picture(const std::string& path, const char* program, Output& out,
                  const std::function<void(std::ostream&)>& draw)
{
    PictureFile picture(path);
    picture.write(draw);
    return picture.keep(program, out);
}

void abandon_pictures() noexcept
{
    for (; pending; pending = pending->next_pending)
        ::unlink(pending->temporary.c_str());
}

}  // namespace console
