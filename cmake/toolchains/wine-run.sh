#!/bin/sh
# wine-run.sh --dll-path=FOLDERS PROGRAM [ARGUMENT...]
#
# Runs a Windows console program under wine for CTest, quietly and without a
# display: the program's standard output, standard error and exit status are
# its own. FOLDERS is a colon-separated list of Linux folders added to the
# program's DLL search path. WINEPREFIX chooses the wine prefix as usual; the
# first run in a new prefix creates it, which takes a while.
set -eu
dllFolders=${1#--dll-path=}
shift

windowsPath=""
oldIFS=$IFS
IFS=:
for folder in $dllFolders; do
    # wine shows the Linux root as drive Z:.
    windowsPath="${windowsPath:+$windowsPath;}Z:$folder"
done
IFS=$oldIFS

export WINEPATH="$windowsPath${WINEPATH:+;$WINEPATH}"
# No debug chatter, no window, and no offer to install Mono or Gecko.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# A wine session (the wineserver and the prefix's services) outlives the
# program that starts it and holds that program's output pipes open, so that
# a caller reading them (CTest, execute_process) would wait seconds for the
# session to end after every run. Start the session here instead, away from
# those pipes, and keep it for a minute after its last program.
if wineserver -p60 </dev/null >/dev/null 2>&1; then
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
fi
exec wine "$@"
