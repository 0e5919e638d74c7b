#!/bin/sh
# Runs a program in a private D-Bus session with an unlocked GNOME Keyring and a
# throw-away home, so that the tests of the desktop keyring never touch the
# keyring of the desktop they run on: keyring-session.sh PROGRAM [ARGUMENTS...].
set -eu
for tool in dbus-run-session gnome-keyring-daemon secret-tool; do
  if ! command -v "$tool" >/dev/null; then
    echo "keyring-session: $tool is missing (scripts/install-deps installs it)" >&2
    exit 1
  fi
done
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset VANTELO_SECRET_STORE
status=0
dbus-run-session -- sh -c '
  eval "$(printf %s keyring-test-password | gnome-keyring-daemon --unlock --components=secrets)"
  "$@"' keyring-session "$@" || status=$?
exit "$status"
