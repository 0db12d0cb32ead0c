#!/bin/bash
# Each layer includes only itself and the layers below it: core (no widgets) below render
# (QtGui, printing) and results (QtSql, the class's results), both below the command line
# and the widgets (platform), the desktop program on top. An include that reaches up, or one
# without its layer's name, fails here.
root=${1:-.}
status=0
check() {
    local layer=$1 allowed=$2
    while IFS= read -r line; do
        file=${line%%:*}
        target=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$line")
        # moc output and a file's own folder-local headers are not layers
        [[ $target == *.moc ]] && continue
        layerOf=${target%%/*}
        if [[ $target != */* ]] || ! grep -qw -- "$layerOf" <<<"$allowed"; then
            echo "$file: includes \"$target\" ($layer may include: $allowed)"
            status=1
        fi
    done < <(grep -rn --include='*.h' --include='*.cpp' '^#include "' "$root/src/$layer")
}
check core "core"
check results "core results"
check render "core render"
check cli "core render results cli"
check platform "core render results platform"
check app "core render results platform"
[ $status -eq 0 ] && echo "layers: every include names a layer it may use"
exit $status
