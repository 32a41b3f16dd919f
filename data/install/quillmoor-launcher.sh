#!/bin/sh
# Starts the Quillmoor editor from its installation folder.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/quillmoor/quillmoor" "$@"
