@echo off
rem Builds the controller image of file format %1 (lss<N>.bat pass their N)
rem from CPlay.h in this folder: DSP%1.hex, then DSP%1.BIN. The program
rem waits for the BIN and then takes the HEX, so the BIN appears last, in one rename. The compiler's
rem messages go to DSP%1.LST. Any failure leaves no BIN and exits non-zero.
setlocal
set N=%1
cd /d "%~dp0" || exit /b 1

del /q "DSP%N%.BIN" "DSP%N%.hex" "DSP%N%.LST" 2>nul
call :clean

rem The frame's routines, then the player with the tables of CPlay.h. 64 KiB
rem of code space: a project that does not fit fails here.
sdas8051 -plosgff frame.asm >"DSP%N%.LST" 2>&1
if errorlevel 1 goto fail
sdcc -mmcs51 -Dcode=__code -Ddata=__data -Didata=__idata -Dxdata=__xdata -DFILEFMT=%N% -I. --code-size 0x10000 --iram-size 256 main.c frame.rel >>"DSP%N%.LST" 2>&1
if errorlevel 1 goto fail
if not exist main.ihx goto fail
rem A table value too wide for its type would be cut short without this.
findstr /c:"warning 158" "DSP%N%.LST" >nul && goto narrowed

rem 16-bit addresses only, at most 16 bytes a record, CR LF line ends.
srec_cat -disable-sequence-warnings main.ihx -intel -o "DSP%N%.hex" -intel -address-length=2 -output_block_size=16 -line-termination=crlf >>"DSP%N%.LST" 2>&1
if errorlevel 1 goto fail
srec_cat -disable-sequence-warnings main.ihx -intel -o "DSP%N%.tmp" -binary >>"DSP%N%.LST" 2>&1
if errorlevel 1 goto fail
ren "DSP%N%.tmp" "DSP%N%.BIN"
if errorlevel 1 goto fail
call :clean
exit /b 0

:narrowed
echo A value in CPlay.h does not fit its table type.>>"DSP%N%.LST"
:fail
del /q "DSP%N%.BIN" "DSP%N%.hex" 2>nul
call :clean
exit /b 1

:clean
del /q main.rel main.asm main.sym main.lk main.map main.mem main.rst main.ihx main.lst main.adb main.cdb main.noi frame.rel frame.lst frame.sym frame.rst "DSP%N%.tmp" 2>nul
exit /b 0
