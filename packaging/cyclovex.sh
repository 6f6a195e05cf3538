#!/bin/sh
# Starts Cyclovex from its program folder (the folder of this script); the
# program keeps its riders, records and settings below that folder.
here=$(dirname "$(readlink -f "$0")")
cd "$here" || exit 1
exec "$here/cyclovex"
