# Builds the controller image of file format N (set by lss<N>.sh, which
# runs this) from CPlay.h in this folder: DSP<N>.hex, then DSP<N>.BIN. The
# program waits for the BIN and then takes the HEX, so the BIN appears
# last, in one rename. The compiler's messages go to DSP<N>.LST. Any
# failure leaves no BIN and exits non-zero.
cd "$(dirname "$0")" || exit 1

clean() {
    rm -f main.rel main.asm main.sym main.lk main.map main.mem main.rst \
        main.ihx main.lst main.adb main.cdb main.noi "DSP$N.tmp" \
        frame.rel frame.lst frame.sym frame.rst
}

fail() {
    rm -f "DSP$N.BIN" "DSP$N.hex"
    clean
    exit 1
}

rm -f "DSP$N.BIN" "DSP$N.hex" "DSP$N.LST"
clean

# The frame's routines, then the player with the tables of CPlay.h. 64 KiB
# of code space: a project that does not fit fails here.
sdas8051 -plosgff frame.asm >"DSP$N.LST" 2>&1 || fail
sdcc -mmcs51 -Dcode=__code -Ddata=__data -Didata=__idata -Dxdata=__xdata \
    -DFILEFMT=$N -I. --code-size 0x10000 --iram-size 256 main.c frame.rel >>"DSP$N.LST" 2>&1 || fail
[ -s main.ihx ] || fail
# A table value too wide for its type would be cut short without this.
if grep -q "warning 158" "DSP$N.LST"; then
    echo "A value in CPlay.h does not fit its table type." >>"DSP$N.LST"
    fail
fi

# 16-bit addresses only, at most 16 bytes a record, CR LF line ends.
srec_cat -disable-sequence-warnings main.ihx -intel \
    -o "DSP$N.hex" -intel -address-length=2 -output_block_size=16 \
    -line-termination=crlf >>"DSP$N.LST" 2>&1 || fail
srec_cat -disable-sequence-warnings main.ihx -intel \
    -o "DSP$N.tmp" -binary >>"DSP$N.LST" 2>&1 || fail
mv -f "DSP$N.tmp" "DSP$N.BIN" || fail
clean
exit 0
