#!/usr/bin/env bash
# Installs a build into a temporary prefix that holds files of its own and packages it with
# "cpack -G DEB". The install must hold the three programs, their manual pages and the
# documents, with every link of the README there; each page must render
# without a warning, name only installed examples, and the terminal session of its first
# example (answers in bold) must be what the installed program shows when those answers are
# typed. The package must pass lintian (pedantic and informational tags included), and a
# second build of the same checkout in another folder must give the very same package bytes,
# with every document over 4 KB compressed. Uninstalling then leaves the prefix as it was and
# every other file (the package's staging among them) untouched.
#   install.sh BUILD VERSION
set -u
build=$(realpath "$1") version=$2 tests=$(realpath "$(dirname "$0")")
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" || exit 1
problems=0
problem() { echo "$*"; problems=$((problems + 1)); }
cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }

# Names, modes, sizes and times of files; of folders, names and modes.
files() { find "$@" \( -type d -printf '%p %M\n' \) -o -printf '%p %M %s %T@\n' | sort; }
mkdir -p prefix/bin prefix/share/doc && echo other > prefix/bin/other && echo other > prefix/share/doc/other
files prefix > prefix.before
cmake --install "$build" --prefix prefix > install.log || { cat install.log; exit 1; }
for file in README.md LICENSE CHANGELOG.md examples/figures.txt; do
  [[ -f prefix/share/doc/consoleworks/$file ]] || problem "share/doc/consoleworks/$file is not installed"
done
while read -r link; do
  [[ -e prefix/share/doc/consoleworks/$link ]] || problem "the installed README links $link, which is not installed"
done < <(grep -oP '\]\(\K[^)#]+|src="\K[^"]+' prefix/share/doc/consoleworks/README.md | grep -v '^https\?:')
for program in nearshape setcalc branchwork; do
  page=prefix/share/man/man1/$program.1.gz
  [[ -f $page ]] || { problem "no manual page $page"; continue; }
  zcat "$page" > page
  groff -man -ww -z page 2> warnings
  [[ -s warnings ]] && problem "$page renders with warnings:" && cat warnings
  sed 's/\\-/-/g' page | grep -o "$work/prefix/share/doc/consoleworks/examples/[^ ]*[a-z]" > named
  while read -r file; do [[ -f $file ]] || problem "$page names $file, which is not installed"; done < named
  awk '/^\.fi$/ { exit } shown { print } /^\.nf$/ { shown = 1 }' page |
    sed 's/\\fB/<</g; s/\\fP/>>/g; s/\\-/-/g' > example.term
  python3 "$tests/terminal.py" "prefix/bin/$program" example.term || problem "the example of $page differs"
done

# The package, then the same from a second build of the checkout, with the same settings, in
# a folder of another name. That build is configured by default as if GoogleTest and Google
# Benchmark were not installed: it must still make the programs, and say in one line what it
# left out and which packages bring it.
cpack --config "$build/CPackConfig.cmake" -G DEB -B package > cpack.log 2>&1 || { cat cpack.log; exit 1; }
package=$(echo package/*.deb)
dpkg-deb -c "$package" | awk '{ print $6 }' > contents || exit 1
for program in nearshape setcalc branchwork; do
  for file in ./usr/bin/$program ./usr/share/man/man1/$program.1.gz; do
    grep -qxF "$file" contents || problem "the package lacks $file"
  done
done
[[ $(dpkg-deb -f "$package" Version) == "$version" ]] || problem "the package's version is not $version"
dpkg-deb -f "$package" Depends | grep -q 'libstdc++' || problem "the package does not depend on the C++ library"
dpkg-deb --fsys-tarfile "$package" | tar -xOf - ./usr/share/doc/consoleworks/changelog.gz | zcat | head -1 |
  grep -qF "($version)" || problem "the package's changelog does not start with version $version"
command -v lintian > /dev/null || problem "lintian is not installed"
lintian --pedantic --display-info --fail-on error,warning,info,pedantic "$package" > lintian.log 2>&1
grep -q '^[A-Z]: ' lintian.log && problem "lintian on the package:" && cat lintian.log
dpkg-deb -c "$package" | awk '$3 > 4096 && $6 ~ /doc\/consoleworks\/[^/]*$/ && $6 !~ /\.gz$/ { print $6 }' > large
[[ -s large ]] && problem "documents over 4 KB not compressed in the package:" $(< large)

others=$(files . -path ./prefix -prune -o)
log=$(cmake -D PREFIX=prefix -P "$build/uninstall.cmake" 2>&1) || { echo "$log"; exit 1; }
files prefix | cmp -s - prefix.before || problem "uninstalling did not leave the prefix as it was"
[[ $(files . -path ./prefix -prune -o) == "$others" ]] || problem "uninstalling touched files outside the prefix"

cmake -S "$(cache CMAKE_HOME_DIRECTORY)" -B other-build -DCMAKE_CXX_COMPILER="$(cache CMAKE_CXX_COMPILER)" \
  -DCMAKE_BUILD_TYPE="$(cache CMAKE_BUILD_TYPE)" -DCMAKE_CXX_FLAGS="$(cache CMAKE_CXX_FLAGS)" \
  -DWARNINGS_AS_ERRORS="$(cache WARNINGS_AS_ERRORS)" -DCONSOLEWORKS_MAINTAINER="$(cache CONSOLEWORKS_MAINTAINER)" \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON > other.log 2>&1 &&
  cmake --build other-build -j 2 >> other.log 2>&1 &&
  cpack --config other-build/CPackConfig.cmake -G DEB -B other-package >> other.log 2>&1 || { cat other.log; exit 1; }
[[ $(grep -c 'libgtest-dev' other.log) == 1 && $(grep 'libgtest-dev' other.log) == *libbenchmark-dev* ]] ||
  problem "without the test libraries, configuring did not say in one line what it left out"
cmp "$package" other-package/*.deb || problem "a second build in another folder made a different package"
((problems == 0))
