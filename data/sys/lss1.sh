# Builds the controller image of file format 1: DSP1.hex and DSP1.BIN.
N=1
. "$(dirname "$0")/lssmake.sh"
