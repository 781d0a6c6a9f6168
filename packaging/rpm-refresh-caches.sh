# SPDX-License-Identifier: GPL-3.0-or-later
# %post and %postun: menus and panels see Tivren's entry and icon come and go. A missing tool or a
# failed refresh never fails the transaction.
if command -v gtk-update-icon-cache >/dev/null 2>&1; then
    gtk-update-icon-cache -q -t -f /usr/share/icons/hicolor || :
fi
if command -v update-desktop-database >/dev/null 2>&1; then
    update-desktop-database -q || :
fi
exit 0
