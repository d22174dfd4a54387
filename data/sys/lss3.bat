@echo off
rem Builds the controller image of file format 3: DSP3.hex and DSP3.BIN.
call "%~dp0lssmake.bat" 3
exit /b %errorlevel%
