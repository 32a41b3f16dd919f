#!/bin/sh
# Starts qmtool from the editor's installation folder, where it finds the player and the schemes.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/quillmoor/qmtool" "$@"
