#include "helptexts.h"

namespace tovix::cli {
namespace {

constexpr const char* kGlobalOptionsEn =
    "Options (before or after the command):\n"
    "  --ini FILE         read the settings from FILE instead of the program's\n"
    "                     tovix.ini\n"
    "  --set KEY=VALUE    override one key of the settings file for this run, e.g.\n"
    "                     --set mp3dir=/music/cd1 --set NewBins=1 (may be repeated;\n"
    "                     keys as in tovix.ini, letter case does not matter)\n"
    "  --save             write the settings, overrides included, back to the\n"
    "                     settings file (without --save nothing is written there)\n"
    "  --help, -h         this text; \"tovix-cli COMMAND --help\" for one command\n"
    "\n"
    "The language file is read as the program reads it: tovix.lng in the current\n"
    "folder, else tovix.lng in the program folder; the language is the settings\n"
    "key Sprache. Memo and log lines go to standard output, messages to standard\n"
    "error, progress (\"[ k / N ]\") to standard error when it is a terminal.\n"
    "Exit codes: 0 done, 1 the pass reported an error, 2 a bad call.\n";

constexpr const char* kCommandsEn =
    "Commands:\n"
    "  scan PATH...                 the table tovix-scan prints\n"
    "  picture MP3 OUT.BMP [--jpeg OUT.JPG]\n"
    "                               one song's picture, as the BIN run makes it\n"
    "  bins                         the BIN run: a .BIN picture file per song\n"
    "  texts                        the info text files (.TXT) alone\n"
    "  rename --plan FILE           write the list of planned renames\n"
    "  rename --apply FILE          check and apply such a list\n"
    "  cdbatch [--no-subdirs]       write Short.bat and Long.bat\n"
    "  recode [--plan] [--jobs N]   recode or copy the MP3 files for the player\n"
    "  sheet OUT.png                all song pictures as the TV shows them\n"
    "  disc --check [--as-is]       what would keep the CD from working\n"
    "  disc OUT.iso [--as-is]       a CD image laid out as Short.bat lays it out\n"
    "  demo DIR                     make a sample CD folder in DIR and run the\n"
    "                               whole job on it\n"
    "  play MP3 [--wav OUT.WAV]     play a song, or decode it into a wave file\n";

constexpr CommandHelpText kHelpEn[] = {
    {"scan",
     "Usage: tovix-cli scan PATH...\n"
     "\n"
     "Prints what Tovix reads from MP3 files: a header line, then one tab-separated\n"
     "line per file with the header facts and the ID3v1 tag. A folder lists its\n"
     "*.mp3 files in the order the passes take them. Exit code 1 when a path is\n"
     "missing or cannot be read (the others are still listed).\n"},
    {"picture",
     "Usage: tovix-cli picture MP3 OUT.BMP [--jpeg OUT.JPG]\n"
     "\n"
     "Draws the song picture of MP3 exactly as the BIN run makes it: the layout,\n"
     "fonts, background picture (key bitmap), scale mode and overscan margin of the\n"
     "settings, rendered off-screen (no display needed). Writes a 704 x 480, 24-bit\n"
     "bitmap to OUT.BMP and, with --jpeg, a JPEG copy of it (quality 100).\n"},
    {"bins",
     "Usage: tovix-cli bins\n"
     "\n"
     "The BIN run of the BIN page: finds the mklogo level at which a picture fits\n"
     "the player (calibration), then makes each song's picture and turns it into\n"
     "its .BIN file with mklogo and c2bin. Source folder: key mp3dir; target folder:\n"
     "key bindir. Existing .BIN files are kept unless NewBins=1; SaveJpg=1 adds a\n"
     ".JPG per song, MakeTxt=1 the info text files. The page's memo lines go to\n"
     "standard output. The tools run in a private temporary working folder.\n"},
    {"texts",
     "Usage: tovix-cli texts\n"
     "\n"
     "Writes the info text files alone: one .TXT per MP3 of the source folder\n"
     "(key mp3dir) into the BIN folder (key bindir), showing the song before it,\n"
     "the song itself and the two after it. Existing .TXT files are replaced.\n"},
    {"rename",
     "Usage: tovix-cli rename --plan FILE\n"
     "       tovix-cli rename --apply FILE\n"
     "\n"
     "--plan writes the review list of planned renames of the source folder (key\n"
     "mp3dir) to FILE exactly as the rename page builds it, one line per file:\n"
     "  \"old name.mp3\"=\"Artist - Title.mp3\"\n"
     "--plan changes no file. With ID3v2=1 an artist or title the ID3v1 tag lacks\n"
     "comes from the ID3v2 tag; with MakeTag=1 one still missing is made from the\n"
     "file name for the planned name.\n"
     "Edit FILE as you like (change new names, delete lines), then:\n"
     "--apply checks every line first: each old name must exist and each new name\n"
     "must be a plain file name (nothing is renamed when one line fails). Then,\n"
     "for the files of FILE, with MakeTag=1 and SaveTag=1 it stores the tag the\n"
     "rename page stores while it builds its list, renames the files and, with\n"
     "SaveTag=1, writes artist and title from the new names (read-only files\n"
     "too); with NiceWords=1 words start with capitals. Plan plus apply thus ends\n"
     "where the page's list plus OK ends. A rename never replaces a file.\n"
     "\n"
     "A new name must be one a CD can hold (none of / \\ : * ? \" < > |). Each song\n"
     "takes its .BIN, .JPG and .TXT of the same name in the BIN folder (key bindir)\n"
     "along; no companion may take a name that exists. --apply writes FILE.undo,\n"
     "the list the other way round: tovix-cli rename --apply FILE.undo gives every\n"
     "file its name back (companions too; a list whose name ends in .undo is\n"
     "applied as it stands: no capitals, no tags).\n"
     "\n"
     "FILE is a text file in the Windows-1252 encoding (as the page's list is),\n"
     "with CR LF line ends; edit it with an editor that keeps that encoding.\n"},
    {"cdbatch",
     "Usage: tovix-cli cdbatch [--no-subdirs]\n"
     "\n"
     "Writes Short.bat and Long.bat into the source folder (key mp3dir), as the CD\n"
     "batch page does. Short.bat moves every MP3 file (and its .bin, .jpg and .txt\n"
     "from the BIN folder, key bindir) into a subfolder named after its first\n"
     "letter under a short name; Long.bat moves them back. --no-subdirs keeps the\n"
     "files in the folder and only shortens the names. The batch files are not\n"
     "run; on this system run them with tovix-cmd from the program folder.\n"},
    {"recode",
     "Usage: tovix-cli recode [--plan] [--jobs N]\n"
     "\n"
     "The recode pass of page 2: every MP3 file of the source folder (key mp3dir)\n"
     "is recoded with lame through Mp3ToMp3.bat (or, with TmpWav=1, decoded into a\n"
     "WAV file in the folder of key TempDir and encoded through Wavtomp3.bat), or\n"
     "copied unchanged, into the recode folder (key WaveDir). A file is recoded\n"
     "while Recode=1 when its bit rate is under 128 (if127=1), it is not plain\n"
     "stereo (ifMono=1), its encoder is a critical one (ifXing=1), or its bit rate\n"
     "is not the new one (Bitrate=0: 128 kBit, 1: 192 kBit). The memo lines go to\n"
     "standard output and into TOVIX.LOG in the recode folder. The source files\n"
     "are never changed. Ctrl+C cancels as the page's \" oops...\" does.\n"
     "\n"
     "--plan     run nothing; print per file its name, \"recode\" or \"copy\" and\n"
     "           the term of the rule that decided, separated by tabs; a file to\n"
     "           be recoded whose name holds * or ? (wildcards to the batch files)\n"
     "           is \"refused\" with the reason, and the pass leaves it alone\n"
     "--jobs N   recode N files at a time (default: the number of processors);\n"
     "           the lines of each file stay together, in the order of the files\n"
     "\n"
     "Exit code 1 when a file ended in an error, the pass was cancelled or refused.\n"},
    {"sheet",
     "Usage: tovix-cli sheet OUT.png\n"
     "\n"
     "Decodes every .BIN of the BIN folder (key bindir) and lays the pictures out\n"
     "as the television shows them: 640 x 480 each (704 x 480 at 4:3),\n"
     "the overscan margin of the settings (key Overscan) shaded, each named by its\n"
     "song, in the order of the MP3 folder (key mp3dir). A song without a .BIN is an\n"
     "empty frame saying so, a .BIN that does not decode a red frame; .BIN files\n"
     "without a song follow under their own names. The pictures go into PNG pages\n"
     "of at most 48: OUT.png, OUT-2.png, OUT-3.png, ... (files of those names are\n"
     "replaced).\n"},
    {"disc",
     "Usage: tovix-cli disc --check [--as-is] [--size MB]\n"
     "       tovix-cli disc OUT.iso [--as-is] [--size MB] [--replace]\n"
     "\n"
     "The CD folder is the MP3 folder (key mp3dir), which must also be the BIN\n"
     "folder (key bindir), as for the CD batch pair.\n"
     "--check lists everything that would keep the disc from working, each with\n"
     "its file, and exits 1 when there is any: more than the medium holds (--size\n"
     "650, 700 or 800 MB; default 700), more than 8 folder levels, more folders or\n"
     "files than the player reads (keys DiscFolders, default 255, and DiscFiles,\n"
     "default 999), a .BIN larger than 163840 bytes, names that differ only in\n"
     "letter case, names the disc cannot hold. Songs without a .BIN and MP3 files\n"
     "Short.bat leaves in place are warnings and do not fail the check.\n"
     "With OUT.iso the check runs first; when it passes, an ISO 9660 level-1 image\n"
     "(8.3 names of A-Z, 0-9, _) is written, by default laid out as Short.bat lays\n"
     "the folder out: letter folders (0-9 becomes 0_9, umlauts AE, OE, UE), short\n"
     "numbered names, each song's .BIN, .JPG and .TXT beside it under the same short\n"
     "name. The folder itself is not changed. --as-is takes the folder as it stands\n"
     "(after Short.bat ran) and refuses names that are not 8.3 clean. The volume\n"
     "name is the folder's name, cleaned the same way. The image is written beside\n"
     "OUT.iso and put in place only when complete; an existing OUT.iso is kept\n"
     "unless --replace is given.\n"},
    {"demo",
     "Usage: tovix-cli demo DIR\n"
     "\n"
     "Makes a small sample CD folder in DIR (created when missing; existing files\n"
     "are never replaced): a handful of songs encoded with lame, some with an\n"
     "ID3v1 tag and some without, and a background picture; then runs the BIN run,\n"
     "the info texts and the CD batch pair on it with the default settings (only\n"
     "the language comes from the settings file, and nothing is written there),\n"
     "makes the TV sheet (tv-sheet.png)\n"
     "and the CD image (tovix-demo.iso) in DIR, and prints where the results are.\n"},
    {"play",
     "Usage: tovix-cli play MP3 [--wav OUT.WAV]\n"
     "\n"
     "Plays MP3 through the player component and the decoder library\n"
     "libmpegdll.so of the program folder, printing the elapsed time every second;\n"
     "the sound goes to the default output (TOVIX_AUDIO_OUT names another libout123\n"
     "module, e.g. dummy). With --wav the song is decoded into the new wave file\n"
     "OUT.WAV instead (16-bit PCM, as fast as decoding allows); an existing file is\n"
     "not replaced. Exit code 1 when the library or the song fails, with the\n"
     "player's message and code.\n"},
};

}  // namespace

const HelpTexts kEnglishHelp = {
    "Usage: tovix-cli [OPTIONS] COMMAND [ARGS...]\n",
    "Runs the passes of Tovix without a window, with the settings of the\n"
    "program: tovix.ini in the program folder, or in $XDG_CONFIG_HOME/tovix/\n"
    "(~/.config/tovix/) when the program folder is not writable (an\n"
    "installed copy).\n",
    kCommandsEn,
    kGlobalOptionsEn,
    kHelpEn,
};

}  // namespace tovix::cli
