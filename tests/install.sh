#!/usr/bin/env bash
# Installs a build into a temporary prefix and packages it with "cpack -G DEB": each must hold
# the three programs and their manual pages. The pages must render without a warning, and the
# terminal session of each page's first example (answers in bold) must be what the installed
# program shows when those answers are typed.
#   install.sh BUILD VERSION
set -u
build=$(realpath "$1") version=$2 tests=$(realpath "$(dirname "$0")")
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" || exit 1
problems=0
problem() { echo "$*"; problems=$((problems + 1)); }

cmake --install "$build" --prefix prefix > install.log || { cat install.log; exit 1; }
for program in nearshape setcalc branchwork; do
  page=prefix/share/man/man1/$program.1
  [[ -f $page ]] || { problem "no manual page $page"; continue; }
  groff -man -ww -z "$page" 2> warnings
  [[ -s warnings ]] && problem "$page renders with warnings:" && cat warnings
  awk '/^\.fi$/ { exit } shown { print } /^\.nf$/ { shown = 1 }' "$page" |
    sed 's/\\fB/<</g; s/\\fP/>>/g; s/\\-/-/g' > example.term
  python3 "$tests/terminal.py" "prefix/bin/$program" example.term || problem "the example of $page differs"
done

cpack --config "$build/CPackConfig.cmake" -G DEB -B package > cpack.log 2>&1 || { cat cpack.log; exit 1; }
package=$(echo package/*.deb)
dpkg-deb -c "$package" | awk '{ print $6 }' > contents || exit 1
for program in nearshape setcalc branchwork; do
  for file in ./usr/bin/$program ./usr/share/man/man1/$program.1; do
    grep -qxF "$file" contents || problem "the package lacks $file"
  done
done
[[ $(dpkg-deb -f "$package" Version) == "$version" ]] || problem "the package's version is not $version"
dpkg-deb -f "$package" Depends | grep -q 'libstdc++' || problem "the package does not depend on the C++ library"
((problems == 0))
