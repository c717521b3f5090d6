# `need COMMAND PACKAGE [COMMAND PACKAGE]...` ends the calling script with one
# line naming the first COMMAND that is missing and the Debian package that
# brings it, instead of letting every later call fail on its own. Sourced.
need() {
  while [ $# -ge 2 ]; do
    if ! command -v "$1" >/dev/null 2>&1; then
      echo "${0##*/}: $1 is missing: install the Debian package $2 (tools/install-deps.sh does)" >&2
      exit 127
    fi
    shift 2
  done
}
