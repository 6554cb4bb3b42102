#!/usr/bin/env bash
# Builds the reference pages of the public headers (docs/Doxyfile) into
# build/docs/html. Every warning, such as a public member without a comment or
# a comment doxygen cannot read, is printed as FILE:LINE: TEXT and fails the
# run.
#
# First it runs the same settings on a small header of its own, to make sure
# that they still fail on its undocumented public members and its broken
# comment, and only on those: a setting that quietly stopped the check would
# otherwise pass every header.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

scripts/install-deps.sh --only doxygen

sample=$(mktemp -d)
trap 'rm -rf "$sample"' EXIT
cat >"$sample/Sample.h" <<'EOF'
#pragma once
namespace conkit {
/// A documented class.
class Sample {
public:
    /// Documented.
    void documented();
    void undocumentedPublic();
    /// @{
    /// Overloads documented once, as a group.
    void grouped(int value);
    void grouped(double value);
    /// @}

private:
    void undocumentedPrivate();
};
void undocumentedFree();
/// Documented, but with a parameter it does not have.
/// \param present something
/// \param absent nothing
void wrongParameter(int present);
namespace detail {
class Hidden {
public:
    void undocumentedDetail();
};
} // namespace detail
} // namespace conkit
EOF
# The sample is read along with everything the settings name; only its own
# warnings count here.
status=0
warnings=$({ cat docs/Doxyfile; printf 'INPUT += %s\nOUTPUT_DIRECTORY = %s\n' "$sample" "$sample/out"; } |
    doxygen - 2>&1 >/dev/null) || status=$?
warnings=$(grep -F "$sample/" <<<"$warnings" || true)
if [ "$status" -eq 0 ] || [ "$(grep -c . <<<"$warnings")" -ne 3 ] ||
    ! grep -q 'undocumentedPublic.*not documented' <<<"$warnings" ||
    ! grep -q 'undocumentedFree.*not documented' <<<"$warnings" ||
    ! grep -q "'absent'.*wrongParameter" <<<"$warnings"; then
    echo "docs/Doxyfile no longer fails on exactly the two undocumented public members" \
        "and the one wrong parameter of a sample header (doxygen exited $status):" >&2
    printf '%s\n' "$warnings" >&2
    exit 1
fi

# doxygen creates its output folder but not the folders above it.
rm -rf build/docs/html
mkdir -p build/docs
status=0
warnings=$(doxygen docs/Doxyfile 2>&1 >/dev/null) || status=$?
if [ -n "$warnings" ]; then
    printf '%s\n' "${warnings//"$root/"/}" >&2
fi
if [ "$status" -ne 0 ] || [ -n "$warnings" ]; then
    echo "docs: $(grep -c . <<<"$warnings") warnings; doxygen exited $status" >&2
    exit 1
fi
echo "docs: no warnings; open build/docs/html/index.html"
