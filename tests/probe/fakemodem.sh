#!/usr/bin/env bash
# A scripted modem behind socat's pseudo-terminal: fakemodem.sh ok|silent|slow|garbage|hangup|barrier [DIR N]. It echoes
# each command and answers OK to AT, ATZ, AT&F and ATH, BUSY to a dial, ERROR to the rest; barrier only once N modems were asked.
while IFS= read -r -d $'\r' command; do
    printf '%s\r' "$command"
    case $1 in
    silent) continue ;;
    garbage) printf '\xfe\x9c\x80\x1f\xe6\xf8'; continue ;;
    hangup) printf '\r\nO'; exit 0 ;;
    slow) sleep 0.2 ;;
    barrier) touch "$2/$$"; for _ in $(seq 200); do [ "$(ls "$2" | wc -l)" -ge "$3" ] && break; sleep 0.02; done ;;
    esac
    case $command in
    AT | ATZ | 'AT&F' | ATH) printf '\r\nOK\r\n' ;;
    ATDT* | ATDP*) printf '\r\nBUSY\r\n' ;;
    *) printf '\r\nERROR\r\n' ;;
    esac
done
