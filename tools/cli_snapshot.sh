#!/usr/bin/env bash
# Prints what orvcalc shows for a fixed set of runs, so that two builds can be compared byte for byte:
#   tools/cli_snapshot.sh OLD/orvcalc > old.txt; tools/cli_snapshot.sh NEW/orvcalc > new.txt; cmp old.txt new.txt
# Covers the examples of --help (one-shot expressions, every option, the catalogue, formula and equation
# commands, a pipe) and --keys runs in string, basic and RPN mode (lists, memories, history, landscape,
# alerts, notifications), each with its exit status, standard error and the SHA-256 of every file the run
# left in its documents folder.
set -u
bin=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ORVCALC_HOME="$work/home"

run() {  # run ARGS...: one invocation of orvcalc without input
    echo "### orvcalc $*"
    (cd "$work" && "$bin" "$@" </dev/null 2>"$work/err")
    echo "### status $?"
    sed 's/^/### stderr: /' "$work/err"
}

piped() {  # piped TEXT ARGS...: orvcalc reading TEXT from a pipe
    local text=$1
    shift
    echo "### printf '$text' | orvcalc $*"
    (cd "$work" && printf '%b' "$text" | "$bin" "$@" 2>"$work/err")
    echo "### status $?"
    sed 's/^/### stderr: /' "$work/err"
}

# InputMode.dat with mode (0 string, 1 basic, 2 RPN) for Arithmetic, Trigonom and Base Conversion.
input_modes() {
    local dir=$1 mode=$2 out="" v
    for v in 0 1 2 3 4 6 5 7 17 13 8 12; do out+=$(printf '\\x%02x\\x00\\x00\\x00' "$v"); done
    for v in 0 1 2 3 4 5 6 7 8 9 10 11; do
        case $v in 0 | 1 | 3) out+=$(printf '\\x%02x\\x00\\x00\\x00' "$mode") ;; *) out+='\x00\x00\x00\x00' ;; esac
    done
    for v in 0 1 2 3 4 5 6 7 8 9 10 11; do
        case $v in 0 | 1 | 3) out+='\x01' ;; *) out+='\x00' ;; esac
    done
    printf '%b' "$out" >"$dir/InputMode.dat"
}

home_files() {
    (cd "$1" && find . -type f ! -name stderr.txt | LC_ALL=C sort | while read -r f; do
        echo "### file $f $(sha256sum <"$f" | cut -c1-64)"
    done)
}

# keys MODE "KEYS" [ARGS...]: a --keys run on a fresh documents folder (MODE 0/1/2; "keep" reuses the last).
keys() {
    local mode=$1 seq=$2
    shift 2
    if [ "$mode" != keep ]; then
        rm -rf "$work/keys"
        mkdir -p "$work/keys"
        [ "$mode" != 0 ] && input_modes "$work/keys" "$mode"
    fi
    echo "### keys mode=$mode '$seq' $*"
    "$bin" --keys "$seq" --home "$work/keys" "$@" </dev/null 2>"$work/err"
    echo "### status $?"
    sed 's/^/### stderr: /' "$work/err"
    home_files "$work/keys"
}

mkdir -p "$ORVCALC_HOME"

# ---- --help, --version and usage errors ----
run --help
run --version
run --bogus
run --bits 12 1
run --fix 11 1

# ---- one-shot expressions (the examples of --help and more) ----
run "2(3)" ".5" "3i" "2√(9)" "sin(30)+2^3^2" "fnInt(x^2,x,0,3)" "gcd(12,18,27)" "RT(3,27)"
run "1+2" "ans*2" "ans^2"
run "1/0" "" "2+" "sqrt(-4)" "ln(0)" "10!" "170!" "171!" "(1+2" "asin(2)" "tan(90)"
run "1e300*1e300" "0/0" "mod(7,3)" "7 mod 3" "ncr(5,2)" "npr(5,2)" "abs(-3)" "1÷3" "2×3" "5−7"
run "det([[1,2],[3,4]])" "sum(1,2,3)" "fib(10)" "PoissonPDF(2,3)" "pi" "e^1" "i^2" "(1+i)^3"
run "syd(1000,100,5,1)" "pv(0.05,10,-100)" "IRR(-100,50,60)" "NPV(0.1,-100,50,60)"
run "δ(x^3,x,2)" "∫(x^2,x,0,3)" "fnRoot(x^2-2,x,1)" "∑(x,x,1,10)" "∏(x,x,1,5)"
for a in deg rad grad; do run --angle "$a" "sin(30)" "atan(1)" "acos(0)"; done
for b in dec hex oct bin; do
    for w in 8 16 32; do run --base "$b" --bits "$w" "255+1" "12" "-1" "FF" "101 and 110" "not(5)" "7 shl 2"; done
done
for n in norm fix sci frac; do run --notation "$n" "1/3" "2/3+1" "123456.789" "1e15" "1e-15" "0.1" "-2.5"; done
for f in 0 2 10; do run --notation fix --fix "$f" "1/3" "2.5" "-0.5" "12345.6789"; done
for q in 3 6 9; do run --notation frac --fraction "$q" "1/3" "0.142857142857" "3.14159265358979" "-7/4"; done
for o in us uk european; do run --format "$o" "1234567.891" "1/3" "1e20" "2.5*2"; done
run --format european --notation fix "1234,5*2"
run --precise "2^0.5" "(1+2i)^0.5" "1/3" "ans*3"
run --set VA=[[2,1],[1,2]] --matrix "inv(VA)*VA"
run --set VA=2.5 --set VB=[[1,2],[3,4]] --matrix "VB*VA" "det(VB)" "trans(VB)"
run --set VA=3 "VA^2"
run --engine "2*3" "sin(30)" "1/0"
run --set NOPE=1 "1"

# ---- catalogue commands ----
run --convert 1 mi m
run --convert 100 USD EUR
run --convert "2*3" ft in
run --convert 1 mi kg
run --convert 1 nosuchunit m
run --convert 100 C F --group Temperature
run --units
run --units Length
run --units Temperature
run --constants
run --constants Universal
run --constants Universal "Planck Units"
run --constants "Area Formula" Polygons
run --constants Nosuch

# ---- formula and equation commands ----
run --tex "sin(30)+2^3^2"
run --tex "2√(9)/3+fnInt(x^2,x,0,3)"
run --tex "[[1,2],[3,4]]"
run --tex-png f.png "x^2+1/2"
echo "### png $(sha256sum <"$work/f.png" | cut -c1-64)"
run --roots "1 -3"
run --roots "1 -3 2"
run --roots "1 0 1"
run --roots "1 -6 11 -6"
run --roots "1 0 0 0 -1"
run --roots "2 0 -4 0 1"
run --roots "0 1"
run --roots "x"

# ---- pipes ----
piped '1+2\nans*3\n\n1/0\nsin(30)\n' ""
piped '255\nFF+1\n' --base hex
piped '1/3\n2/3\n' --notation frac

# ---- --keys: string mode ----
keys 0 "10 18 11 19"
keys 0 "sin 12 15 ) ="
keys 0 "="
keys 0 "10 18 11 19 6"
keys 0 "10 18 11 19 18 11 19"
keys 0 "10 3 15 19"
keys 0 "15 16 6 8 11 19"
keys 0 "10 11 12 48 47 156 49 157 47"
keys 0 "11 31 19 38 11 19 41 6 2 45 19"
keys 0 "12 25 13 12 25 19"
keys 0 "23 10 23 23 11"
keys 0 "10 11 12 13 14 15 16 17 18 19 20 21 22 25 26 27 28 29 30 31 32 33 34 35 36 37 38 39 40 41 42 43 45 46"
keys 0 "54 55 56 57 58 59 60 61 62 63 64 65 66 67 119 120 121 122 123 124 125 131 189 19"
keys 0 "101 102 103 104 105 106 107 108 109 110 111 112 113 114 115 116 117 118 187 188 19"
keys 0 "86 88 89 90 91 92 93 95 96 97 98 99 100 194 195 196 197 198 199 19"
keys 0 "10 19 50 54 12 15 45 19 50 54 12 15 45 19 142 143 144"
keys 0 "10 16 11 12 19 133 133 133 133 134 135 136 159 1 3 12 19 134 19 159 19"
keys 0 "10 18 11 19 post:UpdateNotation 133 post:UpdateNotation 133 post:UpdateNotation"
keys 0 "10 19 149 11 19 149 12 19 150 150 151 152 153 154 155"
keys 0 "10 19 9 20 11 19 9 20 12 19 190 191 126 14 127 14 21 14 128 129 130 20 20"
keys 0 "6 19 190 190 191 191 14"
keys 0 "10 18 11 19 4 11 8 12 19 post:ForwardHistoryToMail"
keys 0 "10 19 post:ClearLedHistory"
keys 0 "10 19 post:ClearLedHistory" --answer 1
keys 0 "10 19 11 19 post:SelectListHistoryIndex:1 post:ShowCurrentHistory"
keys 0 "24 pick:0 24 pick:1 24 pick:6 193 pick:2 174 175 192 163 170 171 172 173"
keys 0 "10 18 11 169 pick:1"
keys 0 "10 18 11 169 pick:4 24 pick:0"
keys 0 "169 pick:9 24 pick:0 10 19"
keys 0 "169 pick:3 11 6 6 68 68 68 68 145 10 15 10 147 146 148 137 137 137 138 139 140 72 73 74 75 76 77 19"
keys 0 "11 6 6 68 68" --category 3
keys 0 "145 11 10 72 15 19" --category 3
keys 0 "146 1 2 7 19 148 72 77 19 69 10 19 70 71 78 79 80 81 82 83 84 85 19" --category 3
keys 0 "11 6 6 19 9 4 68 14" --category 3
keys keep ""
keys keep "10 19"
keys 0 "166 169"
keys 0 "167"
keys 0 "168"
keys 0 "10 18 11 19" --category 4
keys 0 "10 18 11 19" --category 5
keys 0 "10 18 11 19" --category 6
keys 0 "10 18 11 19 10 19" --category 7
keys 0 "10 18 11 19" --category 8
keys 0 "10 18 11 19" --category 12
keys 0 "10 18 11 19 24 pick:0" --category 13
keys 0 "10 18 11 19" --category 17
keys 0 "10 18 11 19" --category 2
keys 0 "10" --landscape
keys 0 "10 18 11 19 23 54 12 15 45 19" --landscape --category 1
keys 0 "11 6 6 19 68" --landscape --category 3
keys 0 "post:UpdateRotation 10 19"
keys 0 "10 nosuchkey"
keys 0 "10" --category 4 --landscape

# ---- --keys: basic mode ----
keys 1 "10 18 11"
keys 1 "10 18 11 19"
keys 1 "10 18 11 8 12 19 19 19"
keys 1 "7 5 39"
keys 1 "11 38 12 39 6 131 19"
keys 1 "10 16 6 17 47 47 11 19"
keys 1 "11 30 10 15 19 12 40 11 19 6 37 12 19 6 87 11 19 6 94 11 19"
keys 1 "10 15 15 43 18 10 15 43 19"
keys 1 "44 10 18 11 45 8 12 19 33 19"
keys 1 "54 12 15 19 59 19 31 19 32 19 41 19 42 19"
keys 1 "10 19 9 11 19 190 12 19 191 14 8 11 19 21 14"
keys 1 "10 19 133 133 133 133 133"
keys 1 "10 3 15 19 10 19"
keys 1 "12 25 19"
keys 1 "11 6 6 68 68 68 68 69 10 19 137 137 137 84 19" --category 3
keys 1 "145 10 15 10 18 10 19 146 147 148 72 77 19" --category 3
keys 1 "10 18 11 19" --category 1
keys 1 "10 18 11 19" --landscape

# ---- --keys: RPN mode ----
keys 2 "10 11 ENTER 12"
keys 2 "10 11 ENTER 12 + 10 ENTER 11 ENTER 179"
keys 2 "4 10 11 ENTER 12 + 178"
keys 2 "10 ENTER 11 ENTER 12 ENTER 180 181 182 183 184 185 186"
keys 2 "10 ENTER 11 + 176 176 177 177 176"
keys 2 "11 31 12 32 6 38 10 39 11 131 12 41 10 42"
keys 2 "10 16 6 17 47 47 16 16 ENTER 11 *"
keys 2 "11 ENTER 15 / 10 ENTER"
keys 2 "10 ENTER 11 ENTER 19 133 133 133 133"
keys 2 "10 ENTER 9 11 ENTER 190 14 191 14 21 14"
keys 2 "12 25 ENTER 12 ENTER"
keys 2 "174 pick:1 175 pick:0 10 ENTER 11 ENTER 174 pick:0"
keys 2 "10 ENTER 11 ENTER 54 63 30 40 37 87 94 189 43 33"
keys 2 "11 6 6 ENTER 68 68 68 68 10 ENTER 69 137 137 137 84" --category 3
keys 2 "145 10 15 10 ENTER 10 ENTER 18 146 147 148 72 77 ENTER 17 ENTER" --category 3
keys 2 "10 ENTER 11 ENTER 18" --category 1
keys 2 "10 ENTER 11 ENTER 18 192 174" --landscape
keys 2 "10 ENTER 11 ENTER 18 23 10" --landscape --category 3
keys 2 "$(for k in $(seq 1 70); do printf '10 ENTER '; done)"
keys 2 "$(for k in $(seq 1 20); do printf '10 ENTER 176 '; done)"
