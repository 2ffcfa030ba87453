# Orca's debug log to what it said, one utterance a line (the lines of one joined by " / ");
# the echo of the keys pressed is left out. Orca 43 logs an utterance's voice right after its
# quote ("'text'{'established'..."), a key's echo after a blank; Orca 48 logs both after a
# blank, an utterance's voice with its 'family' and a key's without.
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
        if (substr(text, RSTART + 1, 1) != " " || index(substr(text, RSTART), "'family'"))
            print substr(text, 1, RSTART - 1)
        inside = 0
    }
}
