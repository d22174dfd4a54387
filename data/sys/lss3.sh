# Builds the controller image of file format 3: DSP3.hex and DSP3.BIN.
N=3
. "$(dirname "$0")/lssmake.sh"
