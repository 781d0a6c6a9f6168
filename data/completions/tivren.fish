# SPDX-License-Identifier: GPL-3.0-or-later
# fish completion for tivren: its options.
complete -c tivren -f
complete -c tivren -l new-project -d 'Open the New Project window'
complete -c tivren -l stop-timer -d 'Stop the timer'
complete -c tivren -l version -d 'Show the version'
complete -c tivren -l help -d 'Show the help'
