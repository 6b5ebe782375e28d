@echo off
rem Runs Sweepane's tests, each on a desktop of its own: no window of yours
rem is closed. Logs go to the logs folder here, or to %TEMP% when this
rem folder is read-only. Exit code 0 only when no test failed.
"%~dp0tests\runtests.exe" %*
exit /b %errorlevel%
