#!/usr/bin/env bash
# A scripted modem behind a pseudo-terminal (socat connects it to stdin and
# stdout): echoes each command ended by a carriage return and answers as told.
#   fakemodem.sh ok|silent|slow|garbage|hangup|barrier BARRIER_DIR COUNT
# ok: OK to AT, ATZ, ATE1, AT&F, ATH and dialling with T or P; ERROR to anything
# else. barrier: answers only once COUNT modems have been asked, as ok.
mode=$1
while IFS= read -r -d $'\r' command; do
    printf '%s\r' "$command"
    case $mode in
    silent) continue ;;
    garbage) printf '\xfe\x9c\x80\x1f\xe6\xf8'; continue ;;
    hangup) printf '\r\nO'; exit 0 ;;
    slow) sleep 0.2 ;;
    barrier)
        touch "$2/$$"
        for _ in $(seq 200); do [ "$(ls "$2" | wc -l)" -ge "$3" ] && break; sleep 0.02; done ;;
    esac
    case $command in
    AT | ATZ | ATE1 | 'AT&F' | ATH) printf '\r\nOK\r\n' ;;
    ATDT* | ATDP*) printf '\r\nBUSY\r\n' ;;
    *) printf '\r\nERROR\r\n' ;;
    esac
done
