@echo off
rem Builds the controller image of file format 2: DSP2.hex and DSP2.BIN.
call "%~dp0lssmake.bat" 2
exit /b %errorlevel%
