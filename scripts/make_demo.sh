#!/usr/bin/env bash
# Lays out the demo program directory <build dir>/demo/: the desk executable, Klangwart.ini, the three team folders
# with their eight category folders of generated MP3 jingles, and the teams' start-offset files.
# Settings, music and offset files are made only when missing, so what the demo stored survives a rebuild; the
# executable is copied anew on every run (a copy, not a link: the program directory is the executable's real folder).
set -euo pipefail

usage() { echo "usage: $0 <build dir>" >&2; exit 2; }
[ $# -eq 1 ] || usage
[ -d "$1" ] || { echo "make_demo: no build directory '$1'" >&2; exit 2; }

build="$(cd "$1" && pwd -P)"
demo="$build/demo"
ffmpeg_bin="${KLANGWART_FFMPEG:-$(command -v ffmpeg || echo ffmpeg)}"
jobs="$(nproc 2>/dev/null || echo 2)"
[ "$jobs" -ge 1 ] || jobs=1
[ "$jobs" -le 8 ] || jobs=8

teams=("Damen" "Männer" "Jugend")
categories=("7 Meter" "Torwart" "Team Timeout" "Auszeit" "Tormusik" "Einlaufen" "Wischen" "2 Minuten")
# Most files a category folder may hold before the desk refuses the board (0: no limit, only the first is used).
declare -A limit=(["7 Meter"]=15 ["Torwart"]=8 ["Team Timeout"]=5 ["Auszeit"]=8 ["Tormusik"]=65
                  ["Einlaufen"]=0 ["Wischen"]=0 ["2 Minuten"]=5)

# Titles per category; each team takes its own share (see titles_for). Names follow the two-character order
# convention and include blanks, umlauts and ampersands on purpose.
tormusik=("Torjubel" "Hallenhymne" "Rock & Roll" "Auf geht's" "Tor für uns" "Überflieger" "Jubelsturm"
          "Hände hoch" "Volltreffer" "Mitten ins Netz" "Heimsieg" "Schöner Wurf" "Tempogegenstoß" "Kreisläufer"
          "Flügelflitzer" "Rückraumkracher" "Gänsehaut" "Tor & Sieg" "Dreierpack" "Siegeszug" "Nachwurf" "Finale")
siebenmeter=("Strafwurf" "Nervenstark" "Pfiff & Wurf")
torwart=("Parade" "Die Wand" "Glanztat")
timeout=("Kurze Pause" "Taktik")
auszeit=("Durchatmen" "Wasserpause" "Hallenorgel")
einlaufen=("Einlauf der Mannschaft" "Hallenintro")
wischen=("Wischpause" "Bodenpflege")
zweiminuten=("Zwei Minuten" "Strafbank")

# Prints the file names of one team's category, one a line.
titles_for() {
    local team="$1" category="$2" count i
    local -a names
    case "$category" in
        "7 Meter") names=("${siebenmeter[@]}") ;;
        "Torwart") names=("${torwart[@]}") ;;
        "Team Timeout") names=("${timeout[@]}") ;;
        "Auszeit") names=("${auszeit[@]}") ;;
        "Tormusik") names=("${tormusik[@]}") ;;
        "Einlaufen") names=("${einlaufen[@]}") ;;
        "Wischen") names=("${wischen[@]}") ;;
        "2 Minuten") names=("${zweiminuten[@]}") ;;
    esac
    count=${#names[@]}
    case "$team/$category" in
        "Damen/Tormusik") count=20 ;;
        "Jugend/Tormusik") count=18 ;;
        "Damen/Einlaufen" | "Jugend/Einlaufen" | "Männer/Wischen" | "Jugend/Wischen") count=1 ;;
    esac
    # Clubs give each player a goal song: the two characters of a "Tormusik" title are the shirt number.
    local -a shirts=(2 4 5 7 8 9 10 11 13 14 15 17 18 19 21 22 23 24 27 33 44 77)
    for ((i = 0; i < count; i++)); do
        if [ "$category" = "Tormusik" ]; then
            printf '%02d%s.mp3\n' "${shirts[$i]}" "${names[$i]}"
        else
            printf '%02d%s.mp3\n' "$((i + 1))" "${names[$i]}"
        fi
    done
}

# Seconds a jingle of the category lasts: short calls, longer pieces for running in and mopping.
duration_for() {
    local category="$1" seed="$2" lo hi
    case "$category" in
        "7 Meter" | "Torwart") lo=3 hi=6 ;;
        "Team Timeout" | "2 Minuten") lo=4 hi=9 ;;
        "Auszeit") lo=8 hi=14 ;;
        "Tormusik") lo=5 hi=12 ;;
        "Einlaufen" | "Wischen") lo=15 hi=20 ;;
    esac
    echo $((lo + seed % (hi - lo + 1)))
}

# The lavfi source of a jingle: a sixteen-note pentatonic phrase over a plucked bass and a soft kick, derived from
# the seed so that every title sounds different but the same on every run. The expression is slow, so it is computed
# at half the rate and for one cycle of the phrase only; aloop repeats the cycle seamlessly (the note length is a
# whole number of samples) and the chain ends at 44.1 kHz.
source_for() {
    local seed="$1" seconds="$2"
    awk -v S="$seed" -v D="$seconds" 'function rnd() { s = (s * 16807) % 2147483647; return s / 2147483647 }
    BEGIN {
        s = S % 2147483646 + 1
        split("1 1.125 1.25 1.5 1.6667 2 2.25 2.5", ratio, " ")
        split("196 220 246.94 261.63 293.66", roots, " ")
        root = roots[int(rnd() * 5) + 1]
        noteSamples = 3087 + int(rnd() * 5) * 882
        d = noteSamples / 22050
        freq = ""
        for (i = 15; i >= 0; i--) {
            f = (i % 8 == 0) ? root * (i == 0 ? 1 : 2) : root * ratio[int(rnd() * 8) + 1]
            freq = (i == 15) ? f : "if(eq(ld(1)," i ")," f "," freq ")"
        }
        mel = "0.3*min(1,ld(0)*80)*(1-ld(0)/" d ")*(sin(2*PI*ld(2)*ld(0))+0.3*sin(4*PI*ld(2)*ld(0)))"
        bass = "0.2*min(1,ld(3)*200)*exp(-3*ld(3))*(1-ld(3)/" 2 * d ")*sin(2*PI*" root / 2 "*ld(3))"
        kick = "0.3*exp(-25*ld(3))*sin(2*PI*60*ld(3))"
        expr = "st(0,mod(t," d "));st(1,mod(floor(t/" d "),16));st(2," freq ");st(3,mod(t," 2 * d "));" \
               mel "+" bass "+" kick
        cycle = 16 * noteSamples
        printf "aevalsrc=exprs=%c%s%c:s=22050:d=%.6f,aloop=loop=-1:size=%d,atrim=duration=%s,aresample=44100", \
               39, expr, 39, cycle / 22050, cycle, D
    }'
}

# One encoder run for a whole category folder, its arguments NUL-separated in a file; called by xargs.
render_batch() {
    local -a args
    mapfile -d '' -t args <"$1"
    "${FFMPEG_BIN:?}" "${args[@]}"
}
export -f render_batch

check_limits() {
    local team category count
    for team in "${teams[@]}"; do
        for category in "${categories[@]}"; do
            count="$(titles_for "$team" "$category" | wc -l)"
            if [ "${limit[$category]}" -gt 0 ] && [ "$count" -gt "${limit[$category]}" ]; then
                echo "make_demo: $team/$category would hold $count files, at most ${limit[$category]} allowed" >&2
                exit 1
            fi
        done
    done
}

# Writes text (UTF-8, one line a line) as Windows-1252 with CRLF line ends, replacing the target atomically.
write_ansi_crlf() {
    local target="$1" text="$2" tmp
    tmp="$(mktemp "$target.XXXXXX")"
    if ! printf '%s\n' "$text" | iconv -f UTF-8 -t WINDOWS-1252 | sed 's/$/\r/' >"$tmp"; then
        rm -f "$tmp"
        return 1
    fi
    chmod 644 "$tmp"
    mv -f "$tmp" "$target"
}

write_settings() {
    local target="$demo/Klangwart.ini"
    [ -e "$target" ] && return 0
    # Colours are &H00BBGGRR as decimal: a soft rose, a pale blue and a light green.
    write_ansi_crlf "$target" "[Mannschaft]
Mannschaft=Damen
Verein=TV Musterstadt 1898
[Damen_Hintergrund_Bild]
MetaFile=
[Damen_BUTTON_COLOR]
FARBE=$((0xE5CCFF))
[Damen_Font_Style]
Size=10
Art=Comic Sans MS
Bold=0
[Damen_AUSBLEND]
ZEIT=2
Vol=20
[Männer_Hintergrund_Bild]
MetaFile=
[Männer_BUTTON_COLOR]
FARBE=$((0xEED7BD))
[Männer_Font_Style]
Size=10
Art=Arial
Bold=1
[Männer_AUSBLEND]
ZEIT=3
Vol=15
[Jugend_Hintergrund_Bild]
MetaFile=
[Jugend_BUTTON_COLOR]
FARBE=$((0xCCEECC))
[Jugend_Font_Style]
Size=11
Art=Comic Sans MS
Bold=1
[Jugend_AUSBLEND]
ZEIT=1
Vol=25"
    echo "make_demo: wrote $target"
}

# The filter chain that turns a source into a finished jingle of the given length, ending in the label [name].
# Titles from different sources differ in loudness: each is lowered by 0, 4, 8 or 12 dB (by its seed), so that
# "Lautstärke angleichen" has something to do on the demo desk.
finish_chain() {
    local seconds="$1" label="$2" seed="$3" fade_start
    fade_start="$(awk -v d="$seconds" 'BEGIN { print d - 0.6 }')"
    printf '%s' "aecho=0.8:0.6:70:0.25,volume=3.5,alimiter=limit=0.9:level=disabled,volume=-$((seed % 4 * 4))dB,"
    printf '%s' "afade=t=in:d=0.03,"
    printf '%s' "afade=t=out:st=$fade_start:d=0.6,asetnsamples=n=1152:p=0[$label]"
}

# Writes into $2 the ffmpeg arguments that render one category folder of one team into $1 (one process, one output
# per title: starting ffmpeg costs more than a short jingle).
batch_args() {
    local folder="$1" argsfile="$2" team="$3" category="$4" name seed seconds graph="" n=0
    local -a outputs=()
    while IFS= read -r name; do
        seed="$(printf '%s/%s/%s' "$team" "$category" "$name" | cksum | cut -d' ' -f1)"
        seconds="$(duration_for "$category" "$seed")"
        [ -z "$graph" ] || graph+=";"
        graph+="$(source_for "$seed" "$seconds"),$(finish_chain "$seconds" "o$n" "$seed")"
        outputs+=(-map "[o$n]" -ac 2 -ar 44100 -c:a libmp3lame -b:a 128k -metadata "title=${name:2:${#name}-6}"
                  -metadata "artist=Klangwart Demo" "$folder/$name")
        n=$((n + 1))
    done < <(titles_for "$team" "$category")
    [ "$n" -gt 0 ] || return 0
    printf '%s\0' -hide_banner -loglevel error -nostdin -y -threads 1 -filter_complex "$graph" "${outputs[@]}" \
        >"$argsfile"
}

# Prepares a staging folder for every missing team and the argument files of their encoder runs in $1.
stage_teams() {
    local jobdir="$1" team category stage n=0
    for team in "${teams[@]}"; do
        [ -e "$demo/$team" ] && continue
        stage="$demo/.$team.partial"
        rm -rf "$stage"
        for category in "${categories[@]}"; do
            mkdir -p "$stage/$category"
            n=$((n + 1))
            batch_args "$stage/$category" "$jobdir/$(printf '%03d' "$n").args" "$team" "$category"
        done
    done
}

require_encoder() {
    local encoders
    encoders="$("$ffmpeg_bin" -hide_banner -encoders 2>/dev/null || true)"
    if [[ "$encoders" != *libmp3lame* ]]; then
        echo "make_demo: $ffmpeg_bin with libmp3lame is needed (Debian package ffmpeg)" >&2
        exit 1
    fi
}

make_teams() {
    local team jobdir missing=0
    for team in "${teams[@]}"; do
        [ -e "$demo/$team" ] || missing=1
    done
    [ "$missing" -eq 1 ] || return 0
    require_encoder
    jobdir="$(mktemp -d)"
    stage_teams "$jobdir"
    echo "make_demo: generating jingles, $jobs encoder runs at a time"
    # shellcheck disable=SC2016 # $1 belongs to the inner shell
    if ! find "$jobdir" -name '*.args' -print0 | sort -z |
        FFMPEG_BIN="$ffmpeg_bin" xargs -0 -n 1 -P "$jobs" bash -c 'render_batch "$1"' _; then
        rm -rf "$jobdir"
        echo "make_demo: generating the jingles failed" >&2
        exit 1
    fi
    rm -rf "$jobdir"
    for team in "${teams[@]}"; do
        if [ -d "$demo/.$team.partial" ]; then
            mv "$demo/.$team.partial" "$demo/$team"
            echo "make_demo: made $demo/$team ($(find "$demo/$team" -type f | wc -l) titles)"
        fi
    done
}

# A team's start-offset file, made once: every title from its start, a few with an offset to show the feature.
# Skipped when the demo path cannot be written in Windows-1252; the desk then seeds the file itself.
write_offsets() {
    local team="$1" target="$demo/$1.ini" text="" category name i
    [ -e "$target" ] && return 0
    for category in "${categories[@]}"; do
        i=0
        while IFS= read -r name; do
            i=$((i + 1))
            local offset=0
            if [ "$category" = "Tormusik" ] && [ $((i % 5)) -eq 2 ]; then offset=1500; fi
            if [ "$category" = "Einlaufen" ] && [ "$i" -eq 1 ]; then offset=2000; fi
            text+="[$demo/$team/$category/$name]"$'\n'"Zeit_01=$offset"$'\n'
        done < <(titles_for "$team" "$category")
    done
    if [[ "$demo" == *"&#"* ]] || ! write_ansi_crlf "$target" "${text%$'\n'}" 2>/dev/null; then
        echo "make_demo: $target left to the desk (the demo path does not fit Windows-1252)" >&2
        return 0
    fi
    echo "make_demo: wrote $target"
}

copy_executable() {
    local bin="$build/bin/klangwart"
    if [ ! -x "$bin" ]; then
        echo "make_demo: $bin is missing; build first (scripts/build.sh)" >&2
        exit 1
    fi
    # Copy next to the target, then rename: works while an older copy is running.
    cp -f "$bin" "$demo/.klangwart.new"
    mv -f "$demo/.klangwart.new" "$demo/klangwart"
}

main() {
    check_limits
    mkdir -p "$demo"
    write_settings
    make_teams
    local team
    for team in "${teams[@]}"; do
        write_offsets "$team"
    done
    copy_executable
    echo "make_demo: demo program directory ready: $demo"
}

main
