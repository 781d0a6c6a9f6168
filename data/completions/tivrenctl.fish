# SPDX-License-Identifier: GPL-3.0-or-later
# fish completion for tivrenctl: its commands, the options of report and status, files after
# --data, and after start and toggle the project names of the running Tivren (none, silently,
# when it is not running).
set -l commands report start toggle stop skip show status projects import away

complete -c tivrenctl -f
complete -c tivrenctl -n "not __fish_seen_subcommand_from $commands" -l help -d 'Show the help'
complete -c tivrenctl -n "not __fish_seen_subcommand_from $commands" -l version -d 'Show the version'
complete -c tivrenctl -n "not __fish_seen_subcommand_from $commands" -a report -d 'Billing of every project for a range'
complete -c tivrenctl -n "not __fish_seen_subcommand_from $commands" -a start -d 'Start tracking a project'
complete -c tivrenctl -n "not __fish_seen_subcommand_from $commands" -a toggle -d 'Start a project, or stop it'
complete -c tivrenctl -n "not __fish_seen_subcommand_from $commands" -a stop -d 'Stop the timer'
complete -c tivrenctl -n "not __fish_seen_subcommand_from $commands" -a skip -d 'End the Pomodoro phase'
complete -c tivrenctl -n "not __fish_seen_subcommand_from $commands" -a show -d 'Open the main window'
complete -c tivrenctl -n "not __fish_seen_subcommand_from $commands" -a status -d 'One line for panels'
complete -c tivrenctl -n "not __fish_seen_subcommand_from $commands" -a projects -d 'Active project names'
complete -c tivrenctl -n "not __fish_seen_subcommand_from $commands" -a import -d 'Bring history from another tracker'
complete -c tivrenctl -n "not __fish_seen_subcommand_from $commands" -a away -d 'Answer the question about time away'

complete -c tivrenctl -n '__fish_seen_subcommand_from report' -l from -x -d 'Start of the range'
complete -c tivrenctl -n '__fish_seen_subcommand_from report' -l to -x -d 'End of the range, included'
complete -c tivrenctl -n '__fish_seen_subcommand_from report' -l csv -d 'Print the invoice CSV'
complete -c tivrenctl -n '__fish_seen_subcommand_from report' -l data -r -F -d 'The data file to read'
complete -c tivrenctl -n '__fish_seen_subcommand_from report' -s h -l help -d 'Show the help'

complete -c tivrenctl -n '__fish_seen_subcommand_from status' -l json -d 'The state as JSON'
complete -c tivrenctl -n '__fish_seen_subcommand_from status' -l waybar -d 'JSON for waybar'

complete -c tivrenctl -n '__fish_seen_subcommand_from away; and test (count (commandline -opc)) -eq 2' \
    -a 'keep discard stop' -d Answer

complete -c tivrenctl -n '__fish_seen_subcommand_from import' -F
complete -c tivrenctl -n '__fish_seen_subcommand_from import' -l yes -d 'Import; without it only show what would be added'

complete -c tivrenctl -n '__fish_seen_subcommand_from start toggle; and test (count (commandline -opc)) -eq 2' \
    -a '(tivrenctl projects 2>/dev/null)' -d Project
