@echo off
rem Tovix: encodes the WAV file the program decoded one MP3 file into, with
rem LAME, for the DVD player.
rem   %1 the MP3 file's name, %2 the WAV file, %3 the MP3 file's folder, %4
rem   the recode folder (both folders end in a separator), %5 the new bit
rem   rate in kbit/s.
rem Constant bit rate, plain stereo, the sampling rate of the WAV file. The
rem recoded file is written under a hidden name and moved to %4%1 only when
rem LAME has finished, so a failed run never leaves half a file under the
rem song's name. Problems are reported by a line in fehler.txt in the
rem current folder. The WAV file is left for the program.
if not exist "%~2" goto nowave
lame -S --noreplaygain -b %5 --cbr -m s "%~2" "%~4.%~1.part"
if errorlevel 9009 goto nolame
if errorlevel 1 goto noencode
move "%~4.%~1.part" "%~4%~1" > NUL
if errorlevel 1 goto nomove
goto end
:nowave
echo "%~1": die WAV-Datei %2 fehlt>> fehler.txt
goto end
:nolame
echo "%~1": lame ist nicht installiert>> fehler.txt
goto cleanup
:noencode
echo "%~1": lame ist fehlgeschlagen>> fehler.txt
goto cleanup
:nomove
echo "%~1": die umcodierte Datei kann nicht nach %4 gelegt werden>> fehler.txt
:cleanup
if exist "%~4.%~1.part" del "%~4.%~1.part"
:end
