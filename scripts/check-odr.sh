#!/usr/bin/env bash
# Checks the one-definition rule across the objects of the libraries: every
# inline function and inline variable of namespace conkit that two or more
# objects define must have the same unoptimised code in each. When two
# headers give one name two bodies, the linker keeps whichever copy it meets
# first, so what callers get depends on the order of the objects; an
# optimised build hides that by inlining, and -Wodr does not compare
# function bodies. The objects of a Debug build keep each such definition in
# a section of its own (a COMDAT group named after the symbol); this compares
# the sections' bytes and relocations: the symbol each relocation refers to,
# and for one that points into the object's pool of string literals, whose
# layout differs between objects, the string it points at.
#
#   scripts/check-odr.sh [BUILD_DIR]    default build/dev (configured if absent)
#
# Builds the library targets there first. Prints each name whose copies
# differ, with the objects of each copy; exits 1 when there is one, 2 when
# the build is missing, not a Debug build, or has no definition to compare.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build/dev}
libraries=(options slices)

if [ ! -f "$build/CMakeCache.txt" ] && [ "$build" = build/dev ]; then
    cmake --preset dev >/dev/null
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "check-odr: $build is not a configured build folder" >&2
    exit 2
fi
if ! grep -q '^CMAKE_BUILD_TYPE:STRING=Debug$' "$build/CMakeCache.txt"; then
    echo "check-odr: $build is not a Debug build; optimised code inlines what is compared" >&2
    exit 2
fi
# conkit::config is built where toml++ is found.
if [ -d "$build/config" ]; then
    libraries+=(config)
fi
cmake --build "$build" --target "${libraries[@]/#/conkit_}" >/dev/null

objects=()
for library in "${libraries[@]}"; do
    while IFS= read -r object; do
        objects+=("$object")
    done < <(find "$build/$library/CMakeFiles/conkit_$library.dir" -name '*.o' | sort)
done

# One line per definition: its section, the object, and the section's bytes
# and relocations. Symbols of conkit: functions, variables, guard variables
# and function-local statics. The string pools (.rodata) are dumped as
# strings; a relocation against a section stands for the string at its
# target (a PC-relative one's addend is 4 short of it), else for the
# section alone.
table=$(
    for object in "${objects[@]}"; do
        dumps=()
        while read -r kind number; do
            dumps+=("$kind" "$number")
        done < <(readelf -SW "$object" | sed -n 's/^ *\[ *\([0-9]*\)\] \([^ ]*\) .*/\1 \2/p' | awk '
            $2 ~ /^\.[a-z_.]*\._Z(GV|T[VIS])?Z?NK?6conkit/ && $2 !~ /^\.rela/ { print "-x", $1 }
            $2 ~ /^\.rodata(\.str[0-9.]*)?$/ { print "-p", $1 }')
        [ ${#dumps[@]} -ne 0 ] || continue
        # The dumps first, so that only the relocations of their sections are
        # kept.
        { readelf "${dumps[@]}" "$object" 2>&1; readelf -rW "$object"; } | awk -v object="$object" '
            function number(hex, n, i) {
                for (i = 1; i <= length(hex); ++i) n = n * 16 + index("0123456789abcdef", substr(hex, i, 1)) - 1
                return n
            }
            /^Hex dump of section/ { section = substr($5, 2, length($5) - 3); shown[section] = 1; pool = "" }
            /^Section .* has no data to dump/ { section = substr($2, 2, length($2) - 2); shown[section] = 1 }
            /^String dump of section/ { pool = substr($5, 2, length($5) - 3); section = "" }
            pool != "" && /^  \[[ 0-9a-f]*\]  / {
                at = $0; sub(/^  \[ */, "", at); sub(/\].*/, "", at)
                text = $0; sub(/^  \[[ 0-9a-f]*\]  /, "", text)
                literal[pool, number(at)] = text
            }
            section != "" && /^  0x/ { text = substr($0, 14, 35); gsub(/ /, "", text); code[section] = code[section] " " text }
            /^Relocation section/ { pool = ""; section = substr($3, 7, length($3) - 7); relocated = section in shown }
            relocated && $1 ~ /^[0-9a-f]+$/ && NF >= 5 {
                target = $5 $6 $7
                if ($5 ~ /^\./) {
                    at = ($6 == "-" ? -number($7) : number($7)) + ($3 ~ /PC32|PLT32/ ? 4 : 0)
                    target = (($5, at) in literal) ? "\"" literal[$5, at] "\"" : $5
                }
                code[section] = code[section] " " $1 "," $3 "," target
            }
            END { for (section in shown) print section, object, code[section] }'
    done
)
if [ -z "$table" ]; then
    echo "check-odr: no inline definitions of conkit found in $build" >&2
    exit 2
fi

differing=$(awk '{ code = $0; sub(/^[^ ]* [^ ]*/, "", code) }
    $1 in first && first[$1] != code { print $1 }
    !($1 in first) { first[$1] = code }' <<<"$table" | sort -u)
shared=$(awk '{ print $1 }' <<<"$table" | sort | uniq -d | wc -l)
if [ -z "$differing" ]; then
    echo "check-odr: $shared inline definitions shared by several objects, each the same everywhere"
    exit 0
fi
for section in $differing; do
    echo "check-odr: $(c++filt "_Z${section#*._Z}") has different definitions ($section):"
    awk -v section="$section" '$1 == section { code = $0; sub(/^[^ ]* [^ ]*/, "", code)
                                               copies[code] = copies[code] " " $2 }
        END { for (code in copies) print "  in" copies[code] }' <<<"$table" |
        sed "s| $build/| |g"
done
exit 1
