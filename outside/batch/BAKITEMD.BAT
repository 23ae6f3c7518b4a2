@echo off
rem Backs up the item file beside this batch file, as Item.bak, before the Debug Inventory tool
rem changes it. The folder is this file's own, whatever folder is current when it is started.
if not exist "%~dp0Item.dat" goto missing
copy /y "%~dp0Item.dat" "%~dp0Item.bak" >nul
if errorlevel 1 goto failed
exit /b 0
:missing
echo Item.dat was not found in "%~dp0"; nothing was backed up.
exit /b 1
:failed
echo Item.dat could not be copied to Item.bak in "%~dp0".
exit /b 2
