#!/usr/bin/env bash
# Keeps veltrano-dpf's manual page in step with the tool's own usage text:
# every command of `veltrano-dpf --help` must have a .SS section in the page
# holding the command's arguments and each of its options (with its value
# name and short form), the options every command shares must appear in the
# page, and every --option the page names must be one the tool accepts.
#   usage: check_manual_page.sh PATH_TO_veltrano-dpf PATH_TO_veltrano-dpf.1
set -uo pipefail
TOOL=$1
PAGE=$2
failed=0
fail() { echo "FAIL: $1"; failed=1; }

# The page's source as plain text: \- becomes -, font changes go.
page=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\&//g' "$PAGE") || exit 1

# Lines of one help section ("Commands:" or "Options:") up to its blank line.
help_section() {  # heading, help text
  awk -v heading="$1" '$0 == heading { inside = 1; next } inside && /^$/ { exit } inside { print }' <<< "$2"
}

# "LONG SHORT VALUE" per option line of a help text ("-" for none).
options_of() {  # help text
  help_section "Options:" "$1" |
    sed -nE 's/^  (-([[:alnum:]]), |    )--([[:alnum:]-]+)( ([^ ]+))?.*$/\3|\2|\5/p' |
    awk -F'|' '{ print $1, ($2 == "" ? "-" : $2), ($3 == "" ? "-" : $3) }'
}

# The page's text of one command: from its .SS heading to the next heading.
command_section() {  # command
  awk -v name="$1" '
    /^\.S[HS]/ { inside = 0 }
    $0 ~ "^\\.SS \"?" name "([ \"]|$)" { inside = 1 }
    inside { print }' <<< "$page"
}

# Whether an option is written in text as a word of its own.
mentions() {  # text, option ("--grid", "-t", "--grid WxH")
  grep -qE -- "(^|[^[:alnum:]-])${2//./[.]}([^[:alnum:]-]|$)" <<< "$1"
}

overview=$("$TOOL" --help) || { echo "FAIL: '$TOOL --help' failed"; exit 1; }
commands=$(help_section "Commands:" "$overview" | awk '{ print $1 }')
[ -n "$commands" ] || fail "the tool's help lists no commands"
shared=$(options_of "$overview")
shared_names=$(awk '{ print $1 }' <<< "$shared")
known=$shared_names

while read -r long short _; do
  mentions "$page" "--$long" || fail "the shared option --$long is missing from the page"
  [ "$short" = "-" ] || mentions "$page" "-$short" || fail "the short option -$short (--$long) is missing"
done <<< "$shared"

for command in $commands; do
  help=$("$TOOL" "$command" --help) || { fail "'$TOOL $command --help' failed"; continue; }
  section=$(command_section "$command")
  if [ -z "$section" ]; then
    fail "the command '$command' has no .SS section"
    continue
  fi
  arguments=$(sed -nE "1s/^Usage: veltrano-dpf $command (.*) \[OPTIONS\]$/\1/p" <<< "$help")
  if [ -z "$arguments" ]; then
    fail "$command: the usage line of its help was not understood"
  else
    grep -qF -- "$arguments" <<< "$section" || fail "$command: its arguments '$arguments' are missing"
  fi
  while read -r long short value; do
    known+=$'\n'"$long"
    grep -qxF "$long" <<< "$shared_names" && continue
    if [ "$value" = "-" ]; then
      mentions "$section" "--$long" || fail "$command: the option --$long is missing"
    else
      mentions "$section" "--$long $value" || fail "$command: the option --$long $value is missing"
    fi
    [ "$short" = "-" ] || mentions "$section" "-$short" || fail "$command: the short option -$short (--$long) is missing"
  done <<< "$(options_of "$help")"
done

# The other way round: the page names no option the tool has dropped.
while read -r option; do
  grep -qxF "$option" <<< "$known" || fail "the page names --$option, which the tool does not accept"
done < <(grep -oE -- '(^|[^[:alnum:]-])--[[:alpha:]][[:alnum:]-]*' <<< "$page" | sed 's/^[^-]*--//' | sort -u)

[ "$failed" -eq 0 ] && echo "manual page: every command and option of the usage text is described"
exit "$failed"
