# Builds the controller image of file format 2: DSP2.hex and DSP2.BIN.
N=2
. "$(dirname "$0")/lssmake.sh"
