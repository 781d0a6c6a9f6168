# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for tivren: its options.
complete -W "--new-project --stop-timer --version --help" tivren
