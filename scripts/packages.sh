# SPDX-License-Identifier: GPL-3.0-or-later
# Debian 12 packages Kassavero needs to build, run and test. Sourced by the scripts.

KASSAVERO_PACKAGES=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libxcb-keysyms1-dev libsystemd-dev libicu-dev
    dbus xvfb xauth fonts-dejavu-core
    # the LibreOffice extension and its tests, headless and on a desktop (German menus too)
    libreoffice-writer libreoffice-calc libreoffice-l10n-de libreoffice-script-provider-python
    python3-uno python3-dbus xdotool poppler-utils
    # Qt's own texts (standard buttons, key names) in the interface languages, and the tool
    # that compiles the ones Qt ships none for
    qt6-translations-l10n qt6-l10n-tools
    # the desktops of the test languages, and screenshots of the windows
    locales openbox trayer imagemagick xclip
    # the manual pages, the Debian package and their tests
    pandoc man-db file dpkg-dev desktop-file-utils python3-gi lintian
    # the checks of the sources: clang-tidy, clang-format, the Python linter
    clang-tidy clang-format pyflakes3
    # the bus integration tests (an older program, keys for the dialog)
    libglib2.0-bin
    # the bus clients of the integration tests and the fuzz targets
    gir1.2-glib-2.0 clang-14 libfuzzer-14-dev
)

# Installs the packages that are missing; calls apt only when something is.
kassavero_install_missing() {
    local missing=()
    local package
    for package in "${KASSAVERO_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages need root: apt-get install ${missing[*]}" >&2
        return 1
    fi
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# The desktop languages the tests and screenshots use; generated when missing (as root).
KASSAVERO_LOCALES=(de_DE de_AT de_CH de_LU en_US en_IE fr_FR fr_BE fr_CH fr_LU lb_LU nl_NL nl_BE es_ES
    it_IT pt_PT fi_FI bg_BG hr_HR el_GR el_CY sk_SK sl_SI et_EE lv_LV lt_LT mt_MT)

kassavero_generate_locales() {
    local missing=() name
    for name in "${KASSAVERO_LOCALES[@]}"; do
        locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$" || missing+=("$name")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing locales need root: ${missing[*]}" >&2
        return 0
    fi
    for name in "${missing[@]}"; do
        sed -i "s/^# *\($name\.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$name\.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" >>/etc/locale.gen
    done
    locale-gen >/dev/null
}
