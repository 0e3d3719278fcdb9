@echo off
rem Tovix: recodes one MP3 file for the DVD player with LAME.
rem   %1 the file name, %2 its folder, %3 the recode folder (both folders
rem   end in a separator), %4 the new bit rate in kbit/s.
rem Constant bit rate, plain stereo, the sampling rate of the source. The
rem song is decoded with mpg123 first: LAME alone keeps a mono song mono,
rem and the player wants stereo. The recoded file is written under a hidden
rem name and moved to %3%1 only when LAME has finished, so a failed run never
rem leaves half a file under the song's name. Problems are reported by a
rem line in fehler.txt in the current folder.
if not exist "%~2%~1" goto nosource
mpg123 -q --stereo -w "%~3.%~1.wav" "%~2%~1"
if errorlevel 9009 goto nompg123
if not exist "%~3.%~1.wav" goto nodecode
lame -S --noreplaygain -b %4 --cbr -m s "%~3.%~1.wav" "%~3.%~1.part"
if errorlevel 9009 goto nolame
if errorlevel 1 goto noencode
del "%~3.%~1.wav"
move "%~3.%~1.part" "%~3%~1" > NUL
if errorlevel 1 goto nomove
goto end
:nosource
echo "%~1": Quelldatei nicht gefunden>> fehler.txt
goto end
:nompg123
echo "%~1": mpg123 ist nicht installiert>> fehler.txt
goto end
:nodecode
echo "%~1": mpg123 konnte die Datei nicht dekodieren (keine MP3-Datei?)>> fehler.txt
goto end
:nolame
echo "%~1": lame ist nicht installiert>> fehler.txt
goto cleanup
:noencode
echo "%~1": lame ist fehlgeschlagen>> fehler.txt
goto cleanup
:nomove
echo "%~1": die umcodierte Datei kann nicht nach %3 gelegt werden>> fehler.txt
:cleanup
if exist "%~3.%~1.wav" del "%~3.%~1.wav"
if exist "%~3.%~1.part" del "%~3.%~1.part"
:end
