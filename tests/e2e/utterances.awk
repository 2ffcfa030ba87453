# Orca's debug log to what it said, one utterance a line (the lines of one joined by " / ");
# the echo of the keys pressed, logged with a blank before its closing brace, is left out.
{
    if (!inside) {
        at = index($0, " - SPEECH OUTPUT: '")
        if (!at)
            next
        text = substr($0, at + 19)
        inside = 1
    } else {
        line = $0
        sub(/^ +/, "", line)
        text = text " / " line
    }
    if (match(text, /' ?[{]'established'/)) {
        if (substr(text, RSTART + 1, 1) != " ")
            print substr(text, 1, RSTART - 1)
        inside = 0
    }
}
