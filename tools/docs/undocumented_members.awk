# Lists the public declarations of classes and structs that carry no ///
# comment: Doxygen itself does not warn about undocumented constructors,
# destructors and deleted members. Also lists namespaces without one:
# Doxygen says nothing of the functions of an undocumented namespace. A declaration is documented by the ///
# line right above it, a trailing ///< comment, or the comment of the overload
# group (///@{ ... ///@}) it stands in; a named section (/// @name) is no
# overload group, its members need their own. Continuation lines are not
# declarations. Headers here hold no function bodies.
function report(line) { printf "%s:%d: public declaration without a /// comment: %s\n", FILENAME, FNR, line; found = 1 }
FNR == 1 { depth = 0; public = 0; previous = ""; named = 0; shared = 0 }
{
    text = $0
    sub(/^[ \t]+/, "", text)
    sub(/[ \t]+$/, "", text)
    if (text == "") next
    if (text ~ /^\/\/\/ *@\{$/) { shared = previous ~ /^\/\/\/($|[^@<])/ && !named; named = 0; previous = text; next }
    if (text ~ /^\/\/\/ *@\}$/) { shared = 0; previous = text; next }
    if (text ~ /^\/\/\/.*@name/) named = 1
    else if (text !~ /^\/\/\//) named = 0
    if (depth == 0 && text ~ /^namespace [A-Za-z_][A-Za-z_0-9]* *\{$/ && previous !~ /^\/\/\/($|[^@<])/)
        report(text)
    if (text ~ /^(class|struct) [^;]*\{$/) {
        depth++
        public = text ~ /^struct/
        previous = text
        next
    }
    if (depth > 0 && text ~ /^};/) { depth--; previous = text; next }
    if (depth == 1 && text ~ /^(public|private|protected):$/) { public = text == "public:"; previous = text; next }
    if (depth == 1 && public && text !~ /^\/\// && text !~ /^friend /) {
        starts = previous ~ /[;{:]$/ || previous ~ /^\/\//
        documented = shared || previous ~ /^\/\/\/($|[^@<])/ || text ~ /\/\/\/</
        if (starts && !documented) report(text)
    }
    previous = text
}
END { exit found }
