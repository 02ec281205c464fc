# The baseline for bench_miner: cuts the columns of the demo driver PanasonicTDA out of each
# line of the printout and writes them one call a line, with no check of dates, times or
# numbers and no log. The engine must stay ahead of it.
function pulito(s) { gsub(/^ +| +$/, "", s); return s }
BEGIN { RS = "\r?\n" }
/^[ \t]*$/ { vuote++; next }
{
    if (substr($0, 1, 2) !~ /^[0-9][0-9]$/ || substr($0, 17, 3) !~ /^[0-9]+$/) { altre++; next }
    entrante = substr($0, 24, 3) == "<I>"
    durata = substr($0, 55, 8); gsub(/'/, ":", durata)
    riga = (entrante ? "E" : "U") "|" substr($0, 1, 8) "|" substr($0, 10, 5) "|" durata "|"
    riga = riga pulito(substr($0, 17, 3)) "|" pulito(substr($0, 21, 2)) "|"
    if (entrante)
        riga = riga pulito(substr($0, 27, 22)) "|" pulito(substr($0, 50, 4))
    else
        riga = riga pulito(substr($0, 24, 25)) "|" pulito(substr($0, 64, 10))
    print riga
    chiamate++
}
END { printf "chiamate %d, vuote %d, altre %d\n", chiamate, vuote, altre > "/dev/stderr" }
