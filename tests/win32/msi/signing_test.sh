#!/usr/bin/env bash
# Builds the Windows packages with a throwaway self-signed code-signing
# certificate and checks, with osslsigncode, that every file shipped is
# signed by it: Vantrel.exe as the zip, the MSI package and the installer
# hold it, the NSIS installer and the uninstaller it installs, the MSI
# package. The packages are built by a small build of their own
# (tests/win32/msi/packages/) from the program already built, as the signed
# main build packs it. The uninstaller exists only inside the installer, so
# the installer installs it, under Wine, into a folder of the test's own.
#
#   signing_test.sh WINE_RUN STATE_DIR PROGRAM ICON ACTIONS VERSION UNSIGNED_MSI WORK_DIR
set -euo pipefail
[ $# -eq 8 ] || {
    echo "usage: $0 WINE_RUN STATE_DIR PROGRAM ICON ACTIONS VERSION UNSIGNED_MSI WORK_DIR" >&2
    exit 2
}
wine_run=$1
export VANTREL_WINE_DIR=$2
program=$3
icon=$4
actions=$5
version=$6
unsigned_msi=$7
work=$8
here=$(cd "$(dirname "$0")" && pwd)

fail() {
    echo "signing test: $*" >&2
    exit 1
}

rm -rf "$work" && mkdir -p "$work"
cd "$work"
# A certificate for code signing alone, valid for two days, and its key, in a
# PKCS#12 file whose password is in a file, as a build is given them.
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out certificate.pem -days 2 \
    -subj "/CN=Vantrel test signing" -addext "keyUsage=critical,digitalSignature" \
    -addext "extendedKeyUsage=critical,codeSigning" >openssl.log 2>&1 ||
    fail "openssl could not make a certificate; see $work/openssl.log"
echo "throwaway $RANDOM$RANDOM" >password
openssl pkcs12 -export -inkey key.pem -in certificate.pem -out certificate.p12 \
    -passout file:password >>openssl.log 2>&1 || fail "openssl could not write the PKCS#12 file"
rm key.pem

cmake -S "$here/packages" -B packages -G Ninja -DVANTREL_VERSION="$version" \
    -DVANTREL_PACKAGE_PROGRAM="$program" -DVANTREL_PACKAGE_ICON="$icon" \
    -DVANTREL_PACKAGE_MSI_ACTIONS="$actions" -DVANTREL_SIGNING_CERTIFICATE="$work/certificate.p12" \
    -DVANTREL_SIGNING_PASSWORD_FILE="$work/password" >build.log 2>&1 &&
    cmake --build packages >>build.log 2>&1 || fail "the signed build failed; see $work/build.log"
grep -q "Windows files: signed with $work/certificate.p12" build.log ||
    fail "the build did not say that it signs the files"
packages=$work/packages/windows

# What the packages hold, taken out of them.
mkdir zip msi
(cd zip && cmake -E tar xf "$packages/Vantrel-$version-portable.zip")
msiextract -C msi "$packages/Vantrel-$version-x64.msi" >/dev/null
msi_program=$(find msi -name Vantrel.exe)
[ -n "$msi_program" ] || fail "the MSI package holds no Vantrel.exe"
install_dir=$VANTREL_WINE_DIR/prefix/drive_c/vantrel-signing-test
rm -rf "$install_dir"
"$wine_run" "$packages/Vantrel-$version-setup.exe" /S '/D=C:\vantrel-signing-test' >/dev/null ||
    fail "the signed installer did not install"
cp "$install_dir/Uninstall.exe" "$install_dir/Vantrel.exe" .
"$wine_run" "$install_dir/Uninstall.exe" /S '_?=C:\vantrel-signing-test' >/dev/null ||
    fail "the signed uninstaller did not uninstall"
rm -rf "$install_dir"

# Each file, and whether it must be signed by the certificate ("unsigned":
# it must not verify against it).
files=(
    "signed:$packages/program/Vantrel.exe"
    "signed:zip/Vantrel.exe"
    "signed:$msi_program"
    "signed:Vantrel.exe"                             # as the installer installs it
    "signed:Uninstall.exe"
    "signed:$packages/Vantrel-$version-setup.exe"
    "signed:$packages/Vantrel-$version-x64.msi"
    # The main build's: unsigned, or signed with the build's own certificate,
    # never with one made since, so this row shows that a file verifies only
    # when this certificate signed it.
    "unsigned:$unsigned_msi"
)
for row in "${files[@]}"; do
    expected=${row%%:*}
    file=${row#*:}
    if osslsigncode verify -CAfile certificate.pem -in "$file" >verify.log 2>&1; then
        actual=signed
        grep -q "Subject: /CN=Vantrel test signing" verify.log || fail "$file is signed by another"
    else
        actual=unsigned
    fi
    [ "$actual" = "$expected" ] || fail "$file is $actual: $(tail -3 verify.log)"
done
echo "checked the signatures of ${#files[@]} files"
