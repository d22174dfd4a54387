@echo off
rem Builds the controller image of file format 1: DSP1.hex and DSP1.BIN.
call "%~dp0lssmake.bat" 1
exit /b %errorlevel%
