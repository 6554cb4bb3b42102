#!/usr/bin/env bash
# Writes conkit as a kit of three files that drop into any build:
#
#   scripts/amalgamate.sh OUTDIR
#
#   OUTDIR/conkit.h            every public header of options/, slices/ and
#                              config/, each project header inlined once
#   OUTDIR/conkit.cpp          every source of options/ and slices/
#   OUTDIR/conkit_config.cpp   the TOML reader (config/), which needs toml++
#
# A program includes "conkit.h" alone and builds with
#   g++ -std=c++17 -I OUTDIR main.cpp OUTDIR/conkit.cpp [OUTDIR/conkit_config.cpp]
#
# The files are found by globbing (options/**/*.cpp and so on), and each
# #include "..." of a project file is resolved as the compiler resolves it:
# beside the including file first, then from the top of the tree. A header is
# inlined where it is first included and left out after that, as #pragma once
# does; system includes stay where they are. The export headers (Export.h)
# become empty definitions of their macros: a single-file build exports
# nothing. A macro that a source defines is undefined after that source, so
# that it reaches no other.
#
# All sources of one output file make one translation unit, where the
# anonymous namespaces of all of them are one namespace. Two sources that
# each declare a file-local name (in an anonymous namespace, or static) of
# the same spelling would then collide, or worse, overload each other
# silently; so would a file-local name and a name that a header the source
# does not include declares at namespace scope. A using-directive at
# namespace scope, or a #pragma GCC target or optimize outside push_options
# and pop_options, would reach every source after its own. Before writing
# anything the script looks for all of these and stops with a list of them
# (exit status 1). The vector kernels of slices/detail need nothing of the
# kind: they choose their instructions per function, with target
# attributes, and at run time. Exit status 2: wrong use, a project include
# that cannot be found or is inside #if, or compile settings that CMake
# gives single sources, which one translation unit cannot have.
set -euo pipefail
shopt -s globstar nullglob

if [ $# -ne 1 ] || [ -z "$1" ]; then
    echo "usage: scripts/amalgamate.sh OUTDIR" >&2
    exit 2
fi
mkdir -p "$1"
outdir=$(cd "$1" && pwd -P)
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# The sources are globbed: generated files among them would be read again.
case $outdir/ in
"$(pwd -P)"/options/* | "$(pwd -P)"/slices/* | "$(pwd -P)"/config/*)
    echo "amalgamate: $1 is inside the sources; write the kit elsewhere" >&2
    rmdir "$outdir" 2>/dev/null || true
    exit 2
    ;;
esac

# Settings of single sources (set_source_files_properties, COMPILE_OPTIONS)
# cannot follow them into one translation unit.
if grep -nE 'set_source_files_properties|COMPILE_(OPTIONS|FLAGS|DEFINITIONS)' \
    options/**/CMakeLists.txt slices/**/CMakeLists.txt config/**/CMakeLists.txt >&2; then
    echo "amalgamate: the single-file build cannot give sources settings of their own (above)" >&2
    exit 2
fi

version=$(git describe --always --dirty 2>/dev/null || echo "an unknown revision")

export LC_ALL=C
# One line per file: its role, then its path. "known" files are those a
# quoted #include may name; "public" headers make conkit.h; each "source"
# line names the output file that the source goes into.
list=$(mktemp)
trap 'rm -f "$list" "$outdir"/conkit.h.new "$outdir"/conkit.cpp.new "$outdir"/conkit_config.cpp.new' EXIT
{
    for file in options/**/*.h slices/**/*.h config/**/*.h options/**/*.cpp slices/**/*.cpp \
        config/**/*.cpp; do
        echo "known $file"
    done
    for file in options/*.h slices/*.h config/*.h; do
        echo "public $file"
    done
    for file in options/**/*.cpp slices/**/*.cpp; do
        echo "source conkit.cpp $file"
    done
    for file in config/**/*.cpp; do
        echo "source conkit_config.cpp $file"
    done
} >"$list"

awk -v outdir="$outdir" -v version="$version" '
function complain(message) {
    print "amalgamate: " message > "/dev/stderr"
}

# ---- Paths

function dirname(path) {
    return match(path, /\/[^\/]*$/) ? substr(path, 1, RSTART - 1) : ""
}

# `path` without "." and "x/.." steps; "" when it climbs out of the tree.
function normalize(path,    parts, n, i, kept, k, result) {
    n = split(path, parts, "/")
    k = 0
    for (i = 1; i <= n; ++i) {
        if (parts[i] == "" || parts[i] == ".") {
            continue
        }
        if (parts[i] == "..") {
            if (k == 0) {
                return ""
            }
            --k
            continue
        }
        kept[++k] = parts[i]
    }
    result = ""
    for (i = 1; i <= k; ++i) {
        result = result (i > 1 ? "/" : "") kept[i]
    }
    return result
}

# The project file that `#include "name"` in `from` means, or "".
function resolve(from, name,    dir, candidate) {
    dir = dirname(from)
    candidate = normalize((dir != "" ? dir "/" : "") name)
    if (candidate in known) {
        return candidate
    }
    candidate = normalize(name)
    return (candidate in known) ? candidate : ""
}

function quotedInclude(line,    name) {
    name = line
    sub(/^[^"]*"/, "", name)
    sub(/".*/, "", name)
    return name
}

# ---- Lexing: comments, literals and preprocessor lines blanked out
# State across lines: inside a block comment, inside a raw string literal
# (rawEnd is its closing sequence), inside a continued preprocessor line.

function resetLexer() {
    inBlock = 0
    rawEnd = ""
    inDirective = 0
}

# True when the line about to be cleaned starts outside any comment,
# literal or continued directive: only then can it be a directive itself.
function atCodeStart() {
    return !inBlock && rawEnd == "" && !inDirective
}

# `line` with comments, string and character literals and preprocessor
# directives replaced by blanks (a literal by "0").
function clean(line,    out, i, n, c, k, j, t) {
    if (inDirective || (atCodeStart() && line ~ /^[ \t]*#/)) {
        inDirective = (line ~ /\\$/)
        return ""
    }
    out = ""
    n = length(line)
    i = 1
    while (i <= n) {
        if (inBlock) {
            k = index(substr(line, i), "*/")
            if (k == 0) {
                return out
            }
            i += k + 1
            inBlock = 0
            out = out " "
            continue
        }
        if (rawEnd != "") {
            k = index(substr(line, i), rawEnd)
            if (k == 0) {
                return out
            }
            i += k - 1 + length(rawEnd)
            rawEnd = ""
            out = out "0"
            continue
        }
        c = substr(line, i, 1)
        if (c == "/" && substr(line, i + 1, 1) == "/") {
            return out
        }
        if (c == "/" && substr(line, i + 1, 1) == "*") {
            inBlock = 1
            i += 2
            continue
        }
        if (c == "\"" && out ~ /(^|[^A-Za-z0-9_])(u8|u|U|L)?R$/) {
            k = index(substr(line, i + 1), "(")
            rawEnd = ")" substr(line, i + 1, k - 1) "\""
            sub(/(u8|u|U|L)?R$/, "", out)
            i += k + 1
            continue
        }
        if (c == "\"" || c == "\047") {
            # A quote inside a number is a digit separator.
            if (c == "\047" && match(out, /[A-Za-z0-9_.\047]+$/) && substr(out, RSTART, 1) ~ /[0-9]/) {
                out = out c
                ++i
                continue
            }
            for (j = i + 1; j <= n; ++j) {
                t = substr(line, j, 1)
                if (t == "\\") {
                    ++j
                } else if (t == c) {
                    break
                }
            }
            out = out "0"
            i = j + 1
            continue
        }
        out = out c
        ++i
    }
    return out
}

# ---- Declarations: the names that namespace-scope declarations introduce
# A stack of braces: "file", "ns" (a named namespace or a linkage block),
# "anon" (an anonymous namespace) or "other" (a body, an initializer). At a
# namespace level the text of the declaration so far gathers in `head`.

function strip(text) {
    gsub(/^[ \t]+|[ \t]+$/, "", text)
    return text
}

# `text` without the parenthesised arguments of each word in `words` (a
# regular expression), balanced, nor [[attributes]].
function dropCalls(text, words,    out, k, depth, i, c) {
    gsub(/\[\[[^\]]*\]\]/, " ", text)
    out = ""
    while (match(text, "(^|[^A-Za-z0-9_])(" words ")[ \t]*\\(")) {
        out = out substr(text, 1, RSTART)
        text = substr(text, RSTART + RLENGTH - 1)
        depth = 0
        for (i = 1; i <= length(text); ++i) {
            c = substr(text, i, 1)
            if (c == "(") {
                ++depth
            } else if (c == ")" && --depth == 0) {
                break
            }
        }
        text = " " substr(text, i + 1)
    }
    return out text
}

# `text` without a leading "template <...>" (each, balanced).
function dropTemplateHeads(text,    depth, i, c) {
    while (match(text, /^[ \t]*template[ \t]*</)) {
        depth = 0
        for (i = RLENGTH; i <= length(text); ++i) {
            c = substr(text, i, 1)
            if (c == "<") {
                ++depth
            } else if (c == ">" && --depth == 0) {
                break
            }
        }
        text = substr(text, i + 1)
    }
    return text
}

function isKeyword(word) {
    return word ~ /^(auto|bool|char|const|constexpr|double|float|inline|int|long|operator|short|signed|static|unsigned|void|volatile)$/
}

# Records what the declaration `text`, ended by `end` ("=", "{" or ";"),
# declares in `path` at a level of kind `scope`. Returns "body" when a "{"
# that ends it opens a body (function, class, namespace), else "".
function declare(path, text, end, scope, where,    s, name, k, before, local, signature) {
    s = strip(dropTemplateHeads(dropCalls(text, "__attribute__|__declspec|alignas|decltype|noexcept")))
    if (s == "" || s ~ /^static_assert([^A-Za-z0-9_]|$)/) {
        return ""
    }
    if (s ~ /^(inline[ \t]+)?namespace([^A-Za-z0-9_]|$)/ && end == "{") {
        return "body"
    }
    if (s ~ /^extern[ \t]+0$/ && end == "{") {
        return "body"
    }
    local = (scope == "anon") || s ~ /^((inline|constexpr)[ \t]+)*static[ \t]/
    signature = ""
    if (s ~ /^using[ \t]+namespace([^A-Za-z0-9_]|$)/) {
        if (isSource[path]) {
            sub(/^using[ \t]+namespace[ \t]*/, "", s)
            leaks[path] = leaks[path] " " s
        }
        return ""
    }
    if (s ~ /^using[ \t]/) {
        if (end == "=") {
            # An alias: the same alias twice is no conflict.
            name = strip(substr(s, 6))
            signature = "using " name "=" text
            sub(/^[^=]*=/, "", signature)
            signature = "using " name "=" signature
        } else {
            # A using-declaration: it names the entity it brings in.
            signature = strip(substr(s, 6))
            match(s, /[A-Za-z_][A-Za-z0-9_]*[ \t]*$/)
            name = strip(substr(s, RSTART))
        }
        gsub(/[ \t]+/, "", signature)
    } else if (s ~ /^namespace[ \t]/ && end == "=") {
        name = strip(substr(s, 10))
    } else if (!index(s, "(") && match(s, /(^|[^A-Za-z0-9_])(struct|class|union|enum)[ \t]+/)) {
        # The name stands last before template arguments, a base clause or
        # "final"; an export macro may stand before it. A qualified name
        # defines a member.
        name = substr(s, RSTART + RLENGTH)
        sub(/^(class|struct)[ \t]+/, "", name)
        sub(/<.*/, "", name)
        gsub(/::/, "#", name)
        sub(/:.*/, "", name)
        sub(/[ \t]+final[ \t]*$/, "", name)
        name = strip(name)
        if (name !~ /#/) {
            match(name, /[A-Za-z_][A-Za-z0-9_]*$/)
            record(path, substr(name, RSTART), local, signature, where)
        }
        return end == "{" ? "body" : ""
    } else if (k = index(s, "(")) {
        before = strip(substr(s, 1, k - 1))
        if (before ~ /(::|operator)[^A-Za-z0-9_]*[A-Za-z0-9_]*$/ || !match(before, /[A-Za-z_][A-Za-z0-9_]*$/)) {
            return end == "{" ? "body" : ""
        }
        name = substr(before, RSTART)
        record(path, name, local, signature, where)
        return end == "{" ? "body" : ""
    } else {
        sub(/(\[[^\]]*\][ \t]*)+$/, "", s)
        if (s ~ /::[ \t]*[A-Za-z_][A-Za-z0-9_]*$/ || !match(s, /[A-Za-z_][A-Za-z0-9_]*$/)) {
            return ""
        }
        name = substr(s, RSTART)
    }
    record(path, name, local, signature, where)
    return ""
}

# Of each name, the first declaration in a file is kept: its namespace
# (`where`, as in "::conkit::detail" or "::conkit::(anon)") and, for an
# alias or a using-declaration, its text (`signature`).
function record(path, name, local, signature, where) {
    # Names outside conkit (specialisations in std) meet no name of conkit.
    if (where !~ /^::conkit(::|$)/ || name !~ /^[A-Za-z_][A-Za-z0-9_]*$/ || isKeyword(name)) {
        return
    }
    if (!((path, name) in declared)) {
        declared[path, name] = 1
        signatureOf[path, name] = signature
        namespaceOf[path, name] = where
    }
    if (local && !((path, name) in isLocal)) {
        isLocal[path, name] = 1
        locals[path] = locals[path] " " name
    }
}

# Whether the declarations of `name` in `a` and `b` are of one entity: the
# same alias or using-declaration twice, or a using-declaration ("x::name")
# of what the other declares in a namespace ending in x.
function sameEntity(a, b, name) {
    return (signatureOf[a, name] != "" && signatureOf[a, name] == signatureOf[b, name]) ||
           bringsIn(signatureOf[a, name], namespaceOf[b, name], name) ||
           bringsIn(signatureOf[b, name], namespaceOf[a, name], name)
}

function bringsIn(signature, where, name,    qualifier) {
    if (signature == "" || index(signature, "=")) {
        return 0
    }
    qualifier = substr(signature, 1, length(signature) - length(name))
    if (qualifier !~ /[A-Za-z0-9_]::$/) {
        return 0
    }
    qualifier = "::" substr(qualifier, 1, length(qualifier) - 2)
    return substr(where, length(where) - length(qualifier) + 1) == qualifier
}

# Reads `path` for its project includes and its namespace-scope names.
function scan(path,    line, code, i, n, c, target, top, head, parens, angles, done, kind, resume, result, where, name, pragmas) {
    resetLexer()
    top = 1
    kind[1] = "file"
    where[1] = ""
    head = ""
    parens = angles = done = 0
    pragmas = 0
    while ((getline line < path) > 0) {
        if (atCodeStart() && line ~ /^[ \t]*#[ \t]*include[ \t]*"/) {
            target = resolve(path, quotedInclude(line))
            if (target != "") {
                includes[path] = includes[path] " " target
            }
        }
        if (atCodeStart() && line ~ /^[ \t]*#[ \t]*pragma[ \t]+(GCC|clang)[ \t]/) {
            if (line ~ /push_options|attribute[ \t]+push/) {
                ++pragmas
            } else if (line ~ /pop_options|attribute[ \t]+pop/) {
                --pragmas
            } else if (line ~ /GCC[ \t]+(target|optimize)/ && pragmas <= 0 && isSource[path]) {
                unboundedPragma[path] = 1
            }
        }
        code = clean(line) " "
        n = length(code)
        for (i = 1; i <= n; ++i) {
            c = substr(code, i, 1)
            if (kind[top] == "other") {
                if (c == "{") {
                    kind[++top] = "other"
                    resume[top] = 0
                } else if (c == "}") {
                    --top
                    if (kind[top] != "other" && !resume[top + 1]) {
                        head = ""
                        parens = angles = done = 0
                    }
                }
                continue
            }
            if (c == "}") {
                --top
                head = ""
                parens = angles = done = 0
                continue
            }
            if (c == "{") {
                result = ""
                if (parens == 0 && !done) {
                    result = declare(path, head, "{", kind[top], where[top])
                    done = 1
                }
                if (result == "body" && head ~ /^[ \t]*(inline[ \t]+)?namespace[ \t]*$/) {
                    kind[++top] = "anon"
                    where[top] = where[top - 1] "::(anon)"
                } else if (result == "body" && head ~ /^[ \t]*((inline[ \t]+)?namespace|extern)[^A-Za-z0-9_]/) {
                    kind[++top] = "ns"
                    name = head
                    sub(/^[ \t]*(inline[ \t]+)?namespace[ \t]*/, "", name)
                    gsub(/[ \t]/, "", name)
                    where[top] = where[top - 1] (head ~ /^[ \t]*extern/ ? "" : "::" name)
                } else {
                    kind[++top] = "other"
                    # After a body the declaration is over; after the braces
                    # of an initializer or an argument it goes on.
                    resume[top] = (result != "body")
                }
                if (kind[top] != "other") {
                    head = ""
                    parens = angles = done = 0
                }
                continue
            }
            if (c == ";" && parens == 0) {
                if (!done) {
                    declare(path, head, ";", kind[top], where[top])
                }
                head = ""
                parens = angles = done = 0
                continue
            }
            if (c == "(") {
                ++parens
            } else if (c == ")") {
                --parens
            } else if (c == "<" && head !~ /operator[ \t]*$/) {
                ++angles
            } else if (c == ">" && angles > 0 && substr(head, length(head)) != "-") {
                --angles
            } else if (c == "=" && parens == 0 && angles == 0 && !done && head !~ /operator[ \t]*[^A-Za-z0-9_ \t]*$/ &&
                       substr(code, i + 1, 1) != "=" && substr(head, length(head)) !~ /[=!<>+*\/%&|^-]/) {
                declare(path, head, "=", kind[top], where[top])
                done = 1
            }
            if (!done) {
                head = head c
            }
        }
    }
    close(path)
    if (pragmas != 0 && isSource[path]) {
        unboundedPragma[path] = 1
    }
}

# Every project header that `path` includes, directly or not, as
# reached[path, header].
function reach(path, from,    list, n, i) {
    n = split(includes[from], list, " ")
    for (i = 1; i <= n; ++i) {
        if (!((path, list[i]) in reached)) {
            reached[path, list[i]] = 1
            reach(path, list[i])
        }
    }
}

# ---- The check: file-local names that one translation unit cannot hold

function checkOutput(output,    s, t, n, i, j, h, name, sources, count, headerList, hn, seenHeader, clashes) {
    count = 0
    for (i = 1; i <= sourceCount; ++i) {
        if (sourceOutput[i] == output) {
            sources[++count] = sourcePath[i]
        }
    }
    # The headers in this output: the public ones and those its sources reach.
    hn = 0
    for (i = 1; i <= publicCount; ++i) {
        headerList[++hn] = publicPath[i]
        seenHeader[publicPath[i]] = 1
        reach("@public", publicPath[i])
    }
    for (j = 1; j <= knownCount; ++j) {
        h = knownPath[j]
        if ((("@public", h) in reached) && !(h in seenHeader)) {
            headerList[++hn] = h
            seenHeader[h] = 1
        }
    }
    for (i = 1; i <= count; ++i) {
        for (j = 1; j <= knownCount; ++j) {
            h = knownPath[j]
            if (((sources[i], h) in reached) && !(h in seenHeader)) {
                headerList[++hn] = h
                seenHeader[h] = 1
            }
        }
    }
    clashes = 0
    for (i = 1; i <= count; ++i) {
        s = sources[i]
        n = split(locals[s], name, " ")
        for (j = 1; j <= n; ++j) {
            for (t = 1; t <= count; ++t) {
                if (t == i || !((sources[t], name[j]) in declared)) {
                    continue
                }
                if (sameEntity(s, sources[t], name[j]) ||
                    # Each pair of file-local names is reported once.
                    (((sources[t], name[j]) in isLocal) && t < i) ||
                    (!((sources[t], name[j]) in isLocal) && declaredInReach(s, name[j]))) {
                    continue
                }
                complain("\"" name[j] "\" is file-local in " s " and declared in " sources[t] " as well")
                ++clashes
            }
            for (h = 1; h <= hn; ++h) {
                if (((headerList[h], name[j]) in declared) && !((s, headerList[h]) in reached) &&
                    !sameEntity(s, headerList[h], name[j])) {
                    complain("\"" name[j] "\" is file-local in " s " and declared in " headerList[h] \
                             ", which " s " does not include")
                    ++clashes
                }
            }
        }
        if (leaks[s] != "") {
            complain(s " has \"using namespace" leaks[s] "\" at namespace scope, which would reach the sources after it")
            ++clashes
        }
        if (s in unboundedPragma) {
            complain(s ": a #pragma GCC target or optimize outside push_options and pop_options would reach " \
                     "the sources after it")
            ++clashes
        }
    }
    return clashes
}

function declaredInReach(s, name,    h) {
    for (h in known) {
        if (((s, h) in reached) && ((h, name) in declared)) {
            return 1
        }
    }
    return 0
}

# ---- Writing

function banner(file, out) {
    print "// " file ": generated by scripts/amalgamate.sh from conkit at " version "." > out
    print "// Do not edit: change conkit and generate it again." > out
}

# The export macros that `path` defines, each defined empty.
function emitExport(path, out,    line, name) {
    included[path] = 1
    print "" > out
    print "// " path ": a single-file build exports nothing." > out
    while ((getline line < path) > 0) {
        if (line ~ /^[ \t]*#[ \t]*define[ \t]+[A-Za-z_]/) {
            name = line
            sub(/^[ \t]*#[ \t]*define[ \t]+/, "", name)
            sub(/[^A-Za-z0-9_].*/, "", name)
            if (!((path, name) in exported)) {
                exported[path, name] = 1
                print "#define " name > out
            }
        }
    }
    close(path)
}

# Writes `path` to `out`, each project header it includes inlined at its
# first inclusion. For a source (`isTop`), the macros it defines are
# undefined after it.
function emit(path, out, isTop,    line, depth, target, name, defined, order, count, i) {
    if (path ~ /(^|\/)Export\.h$/) {
        emitExport(path, out)
        return
    }
    included[path] = 1
    print "" > out
    print "// ---- " path > out
    resetLexer()
    depth = 0
    count = 0
    while ((getline line < path) > 0) {
        if (atCodeStart() && line ~ /^[ \t]*#/) {
            if (line ~ /^[ \t]*#[ \t]*pragma[ \t]+once/) {
                continue
            }
            if (line ~ /^[ \t]*#[ \t]*if/) {
                ++depth
            } else if (line ~ /^[ \t]*#[ \t]*endif/) {
                --depth
            }
            if (line ~ /^[ \t]*#[ \t]*include[ \t]*"/) {
                target = resolve(path, quotedInclude(line))
                if (target == "") {
                    complain(path ": no project file \"" quotedInclude(line) "\"")
                    exit 2
                }
                if (depth > 0) {
                    complain(path ": includes \"" quotedInclude(line) "\" inside #if, which a header inlined once cannot follow")
                    exit 2
                }
                if (!(target in included)) {
                    emit(target, out, 0)
                    resetLexer()
                    print "// ---- " path " (continued)" > out
                }
                continue
            }
            if (isTop && line ~ /^[ \t]*#[ \t]*define[ \t]+[A-Za-z_]/) {
                name = line
                sub(/^[ \t]*#[ \t]*define[ \t]+/, "", name)
                sub(/[^A-Za-z0-9_].*/, "", name)
                if (!(name in defined)) {
                    order[++count] = name
                }
                defined[name] = 1
            } else if (isTop && line ~ /^[ \t]*#[ \t]*undef[ \t]+[A-Za-z_]/) {
                name = line
                sub(/^[ \t]*#[ \t]*undef[ \t]+/, "", name)
                sub(/[^A-Za-z0-9_].*/, "", name)
                defined[name] = 0
            }
        }
        clean(line)
        print line > out
    }
    close(path)
    for (i = 1; i <= count; ++i) {
        if (defined[order[i]]) {
            print "#undef " order[i] > out
        }
    }
}

function emitSources(output,    out, i, h) {
    out = outdir "/" output ".new"
    # Only the headers of conkit.h count as included already.
    for (h in included) {
        if (!(h in inHeader)) {
            delete included[h]
        }
    }
    banner(output, out)
    print "#include \"conkit.h\"" > out
    for (i = 1; i <= sourceCount; ++i) {
        if (sourceOutput[i] == output) {
            emit(sourcePath[i], out, 1)
        }
    }
    close(out)
}

$1 == "known" {
    known[$2] = 1
    knownPath[++knownCount] = $2
}
$1 == "public" { publicPath[++publicCount] = $2 }
$1 == "source" {
    sourceOutput[++sourceCount] = $2
    sourcePath[sourceCount] = $3
    isSource[$3] = 1
}

END {
    for (i = 1; i <= knownCount; ++i) {
        scan(knownPath[i])
        reach(knownPath[i], knownPath[i])
    }
    clashes = checkOutput("conkit.cpp") + checkOutput("conkit_config.cpp")
    if (clashes > 0) {
        complain("one translation unit cannot hold the sources as they are (" clashes \
                 (clashes > 1 ? " problems" : " problem") "): rename or remove what is named above; nothing written")
        exit 1
    }

    out = outdir "/conkit.h.new"
    banner("conkit.h", out)
    print "// Include this header alone. readTomlConfig (config/TomlConfig.h) is defined" > out
    print "// in conkit_config.cpp, which needs toml++ on the include path." > out
    print "#pragma once" > out
    for (i = 1; i <= publicCount; ++i) {
        if (!(publicPath[i] in included)) {
            emit(publicPath[i], out, 0)
        }
    }
    close(out)
    for (h in included) {
        inHeader[h] = 1
    }
    emitSources("conkit.cpp")
    emitSources("conkit_config.cpp")
}
' "$list"

for file in conkit.h conkit.cpp conkit_config.cpp; do
    mv "$outdir/$file.new" "$outdir/$file"
done
