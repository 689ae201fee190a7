#!/bin/bash
# Lists every external program that src/, tests/ and bench/ start through
# QProcess (the literal program name or path given to start, startDetached,
# execute or a runProcess helper) and fails, naming it, when the Debian
# package that provides it is neither in scripts/install-deps.sh nor
# essential. The program's own executables (quorvel*) are built, not
# installed, and are left out. Quick: meant to run before the slow checks.
set -euo pipefail
cd "$(dirname "$0")/.."

listed=$(sed -n '/^PACKAGES="/,/"$/p' scripts/install-deps.sh | tr -d '"\\' | sed 's/^PACKAGES=//')

programs=$(grep -rlZ --include='*.cpp' --include='*.h' 'QProcess' src tests bench |
    xargs -0 cat |
    grep -oP '(?:\.start|startDetached|execute|runProcess)\(\s*(?:QStringLiteral|QLatin1String|QString|u)?\(?\s*"\K[^"]+(?=")' |
    grep -v '^quorvel' | sort -u)

# The package owning a file; dpkg knows some files only under their
# pre-/usr-merge path.
owner() {
    local path=$1 candidate
    for candidate in "$path" "$(readlink -f "$path")" "${path#/usr}" "/usr$path"; do
        if dpkg -S "$candidate" 2>/dev/null | head -1 | cut -d: -f1; then
            return 0
        fi
    done
    return 1
}

status=0
for program in $programs; do
    if [[ $program == /* ]]; then path=$program; else path=$(command -v "$program" || true); fi
    if [ -z "$path" ] || [ ! -e "$path" ]; then
        echo "MISSING  $program: not installed here, so its package is unknown" >&2
        status=1
        continue
    fi
    package=$(owner "$path" || true)
    package=${package%%:*}
    if [ -z "$package" ]; then
        echo "UNKNOWN  $program ($path): no Debian package provides it" >&2
        status=1
    elif [[ " $listed " == *" $package "* ]]; then
        echo "ok       $program ($package, in install-deps.sh)"
    elif [ "$(dpkg-query -W -f='${Essential}' "$package" 2>/dev/null)" = "yes" ]; then
        echo "ok       $program ($package, essential)"
    else
        echo "NOT LISTED  $program: package $package is neither in scripts/install-deps.sh nor essential" >&2
        status=1
    fi
done
exit $status
