#include "helptexts.h"

namespace tovix::cli {
namespace {

constexpr const char* kOptions =
    "Options (avant ou après la commande) :\n"
    "  --ini FICHIER      lire les réglages dans FICHIER au lieu du tovix.ini du\n"
    "                     programme\n"
    "  --set CLÉ=VALEUR   changer une clé du fichier de réglages pour cette\n"
    "                     exécution, p. ex. --set mp3dir=/musique/cd1 --set NewBins=1\n"
    "                     (répétable ; clés comme dans tovix.ini, sans tenir compte\n"
    "                     des majuscules)\n"
    "  --save             réécrire les réglages, changements compris, dans le\n"
    "                     fichier de réglages (sans --save rien n'y est écrit)\n"
    "  --help, -h         ce texte ; « tovix-cli COMMANDE --help » pour une commande\n"
    "\n"
    "Le fichier de langues est lu comme par le programme : tovix.lng du dossier\n"
    "courant, sinon tovix.lng du dossier du programme ; la langue est la clé\n"
    "Sprache. Les lignes du mémo et du journal vont sur la sortie standard, les\n"
    "messages sur la sortie d'erreur, la progression (« [ k / N ] ») aussi quand\n"
    "c'est un terminal. Codes de sortie : 0 terminé, 1 l'opération a signalé une\n"
    "erreur, 2 un appel incorrect.\n";

constexpr const char* kCommands =
    "Commandes :\n"
    "  scan CHEMIN...               le tableau qu'affiche tovix-scan\n"
    "  picture MP3 OUT.BMP [--jpeg OUT.JPG]\n"
    "                               l'image d'une chanson, comme la fait la\n"
    "                               conversion BIN\n"
    "  bins                         la conversion BIN : un fichier image .BIN par\n"
    "                               chanson\n"
    "  texts                        seulement les fichiers texte d'info (.TXT)\n"
    "  rename --plan FICHIER        écrire la liste des renommages prévus\n"
    "  rename --apply FICHIER       vérifier et appliquer une telle liste\n"
    "  cdbatch [--no-subdirs]       écrire Short.bat et Long.bat\n"
    "  recode [--plan] [--jobs N]   réencoder ou copier les MP3 pour le lecteur\n"
    "  sheet OUT.png                toutes les images des chansons telles que la\n"
    "                               télévision les montre\n"
    "  disc --check [--as-is]       ce qui empêcherait le CD de fonctionner\n"
    "  disc OUT.iso [--as-is]       une image CD rangée comme le fait Short.bat\n"
    "  demo DOSSIER                 créer un CD exemple dans DOSSIER et y faire\n"
    "                               tout le travail\n"
    "  play MP3 [--wav OUT.WAV]     jouer une chanson ou la décoder en fichier WAV\n";

constexpr CommandHelpText kHelp[] = {
    {"scan",
     "Utilisation : tovix-cli scan CHEMIN...\n"
     "\n"
     "Affiche ce que Tovix lit des fichiers MP3 : une ligne d'en-tête, puis par\n"
     "fichier une ligne séparée par des tabulations avec les données de l'en-tête\n"
     "et le tag ID3v1. Un dossier liste ses fichiers *.mp3 dans l'ordre des\n"
     "opérations. Code de sortie 1 quand un chemin manque ou est illisible (les\n"
     "autres sont tout de même listés).\n"},
    {"picture",
     "Utilisation : tovix-cli picture MP3 OUT.BMP [--jpeg OUT.JPG]\n"
     "\n"
     "Dessine l'image de la chanson MP3 exactement comme la conversion BIN : mise\n"
     "en page, polices, image de fond (clé bitmap), mode d'échelle et marge\n"
     "d'overscan des réglages, sans écran. Écrit un bitmap 704 x 480 en 24 bits\n"
     "dans OUT.BMP et, avec --jpeg, une copie JPEG (qualité 100).\n"},
    {"bins",
     "Utilisation : tovix-cli bins\n"
     "\n"
     "La conversion BIN de la page BIN : cherche le niveau de mklogo auquel une\n"
     "image tient dans le lecteur (calibrage), puis fait l'image de chaque chanson\n"
     "et la convertit en fichier .BIN avec mklogo et c2bin. Dossier source : clé\n"
     "mp3dir ; dossier cible : clé bindir. Les .BIN existants restent, sauf avec\n"
     "NewBins=1 ; SaveJpg=1 ajoute un .JPG par chanson, MakeTxt=1 les fichiers\n"
     "texte d'info. Les lignes du mémo de la page vont sur la sortie standard. Les\n"
     "outils tournent dans un dossier de travail temporaire à part.\n"},
    {"texts",
     "Utilisation : tovix-cli texts\n"
     "\n"
     "Écrit seulement les fichiers texte d'info : un .TXT par MP3 du dossier source\n"
     "(clé mp3dir) dans le dossier BIN (clé bindir), avec la chanson d'avant, la\n"
     "chanson elle-même et les deux suivantes. Les .TXT existants sont remplacés.\n"},
    {"rename",
     "Utilisation : tovix-cli rename --plan FICHIER\n"
     "              tovix-cli rename --apply FICHIER\n"
     "\n"
     "--plan écrit dans FICHIER la liste des renommages prévus du dossier source\n"
     "(clé mp3dir), exactement comme la page de renommage la construit, une ligne\n"
     "par fichier :\n"
     "  \"ancien nom.mp3\"=\"Interprète - Titre.mp3\"\n"
     "--plan ne modifie aucun fichier. Avec ID3v2=1, un interprète ou un titre\n"
     "absent du tag ID3v1 vient du tag ID3v2 ; avec MakeTag=1, celui qui manque\n"
     "encore est tiré du nom du fichier pour le nom prévu.\n"
     "Modifiez FICHIER à volonté (nouveaux noms, lignes supprimées), puis :\n"
     "--apply vérifie d'abord chaque ligne : chaque ancien nom doit exister et\n"
     "chaque nouveau nom être un simple nom de fichier (rien n'est renommé si une\n"
     "ligne échoue). Ensuite, pour les fichiers de FICHIER, avec MakeTag=1 et\n"
     "SaveTag=1 il enregistre le tag que la page enregistre en construisant sa\n"
     "liste, renomme les fichiers et, avec SaveTag=1, écrit interprète et titre\n"
     "d'après les nouveaux noms (fichiers protégés en écriture compris) ; avec\n"
     "NiceWords=1 les mots commencent par une majuscule. Planifier puis appliquer\n"
     "aboutit donc là où aboutissent la liste de la page et OK. Un renommage ne\n"
     "remplace jamais un fichier.\n"
     "\n"
     "Un nouveau nom doit pouvoir figurer sur un CD (aucun de / \\ : * ? \" < > |).\n"
     "Chaque chanson emmène ses .BIN, .JPG et .TXT de même nom du dossier BIN (clé\n"
     "bindir) ; aucun ne peut prendre un nom qui existe. --apply écrit FICHIER.undo,\n"
     "la liste à l'envers : tovix-cli rename --apply FICHIER.undo rend à chaque\n"
     "fichier son nom (compagnons compris ; une liste dont le nom finit par .undo\n"
     "est appliquée telle quelle : sans majuscules, sans tags).\n"
     "\n"
     "FICHIER est un fichier texte en Windows-1252 (comme la liste de la page),\n"
     "avec des fins de ligne CR LF ; modifiez-le avec un éditeur qui garde cet\n"
     "encodage.\n"},
    {"cdbatch",
     "Utilisation : tovix-cli cdbatch [--no-subdirs]\n"
     "\n"
     "Écrit Short.bat et Long.bat dans le dossier source (clé mp3dir), comme la\n"
     "page du batch CD. Short.bat déplace chaque MP3 (avec ses .bin, .jpg et .txt\n"
     "du dossier BIN, clé bindir) sous un nom court dans un sous-dossier nommé\n"
     "d'après sa première lettre ; Long.bat les remet en place. --no-subdirs laisse\n"
     "les fichiers dans le dossier et raccourcit seulement les noms. Les fichiers\n"
     "batch ne sont pas lancés ; sur ce système, lancez-les avec tovix-cmd du\n"
     "dossier du programme.\n"},
    {"recode",
     "Utilisation : tovix-cli recode [--plan] [--jobs N]\n"
     "\n"
     "Le réencodage de la page 2 : chaque MP3 du dossier source (clé mp3dir) est\n"
     "réencodé avec lame par Mp3ToMp3.bat (ou, avec TmpWav=1, décodé en fichier WAV\n"
     "dans le dossier de la clé TempDir puis encodé par Wavtomp3.bat), ou copié tel\n"
     "quel, dans le dossier de réencodage (clé WaveDir). Un fichier est réencodé,\n"
     "avec Recode=1, quand son débit est sous 128 (if127=1), qu'il n'est pas en\n"
     "simple stéréo (ifMono=1), que son encodeur est douteux (ifXing=1) ou que son\n"
     "débit n'est pas le nouveau (Bitrate=0 : 128 kBit, 1 : 192 kBit). Les lignes\n"
     "du mémo vont sur la sortie standard et dans TOVIX.LOG du dossier de\n"
     "réencodage. Les fichiers source ne sont jamais modifiés. Ctrl+C annule comme\n"
     "le « oops... » de la page.\n"
     "\n"
     "--plan     ne rien lancer ; afficher par fichier son nom, « recode » ou\n"
     "           « copy » et la règle qui a décidé, séparés par des tabulations ;\n"
     "           un fichier à réencoder dont le nom contient * ou ? (jokers pour\n"
     "           les fichiers batch) est « refused » avec la raison et reste tel quel\n"
     "--jobs N   réencoder N fichiers à la fois (par défaut : le nombre de\n"
     "           processeurs) ; les lignes de chaque fichier restent groupées,\n"
     "           dans l'ordre des fichiers\n"
     "\n"
     "Code de sortie 1 quand un fichier a fini en erreur, que l'opération a été\n"
     "annulée ou refusée.\n"},
    {"sheet",
     "Utilisation : tovix-cli sheet OUT.png\n"
     "\n"
     "Décode chaque .BIN du dossier BIN (clé bindir) et place les images\n"
     "comme la télévision les montre : 640 x 480 chacune (704 x 480 en 4:3), la\n"
     "marge d'overscan des réglages (clé Overscan) ombrée, chacune nommée d'après\n"
     "sa chanson, dans l'ordre du dossier MP3 (clé mp3dir). Une chanson sans .BIN\n"
     "est un cadre vide qui le dit, un .BIN indécodable un cadre rouge ; les .BIN\n"
     "sans chanson suivent sous leur propre nom. Les images vont dans des pages PNG\n"
     "de 48 au plus : OUT.png, OUT-2.png, OUT-3.png, ... (les fichiers de ces noms\n"
     "sont remplacés).\n"},
    {"disc",
     "Utilisation : tovix-cli disc --check [--as-is] [--size MB]\n"
     "              tovix-cli disc OUT.iso [--as-is] [--size MB] [--replace]\n"
     "\n"
     "Le dossier du CD est le dossier MP3 (clé mp3dir), qui doit aussi être le\n"
     "dossier BIN (clé bindir), comme pour la paire de batch CD.\n"
     "--check liste tout ce qui empêcherait le disque de fonctionner, chaque fois\n"
     "avec son fichier, et sort avec 1 s'il y a quelque chose : plus que le support\n"
     "ne contient (--size 650, 700 ou 800 Mo ; 700 par défaut), plus de 8 niveaux\n"
     "de dossiers, plus de dossiers ou de fichiers que le lecteur n'en lit (clés\n"
     "DiscFolders, 255 par défaut, et DiscFiles, 999 par défaut), un .BIN de plus\n"
     "de 163840 octets, des noms qui ne diffèrent que par la casse, des noms que le\n"
     "disque ne peut pas porter. Les chansons sans .BIN et les MP3 que Short.bat\n"
     "laisse en place sont des avertissements et ne font pas échouer la\n"
     "vérification.\n"
     "Avec OUT.iso, la vérification passe d'abord ; si elle réussit, une image\n"
     "ISO 9660 de niveau 1 (noms 8.3 en A-Z, 0-9, _) est écrite, rangée par défaut\n"
     "comme Short.bat range le dossier : dossiers par lettre (0-9 devient 0_9,\n"
     "trémas AE, OE, UE), noms courts numérotés, à côté de chaque chanson ses .BIN,\n"
     ".JPG et .TXT sous le même nom court. Le dossier lui-même n'est pas modifié.\n"
     "--as-is prend le dossier tel qu'il est (après Short.bat) et refuse les noms\n"
     "qui ne sont pas en 8.3 propre. Le nom du volume est celui du dossier, nettoyé\n"
     "de même. L'image est écrite à côté de OUT.iso et mise en place seulement une\n"
     "fois complète ; un OUT.iso existant reste, sauf avec --replace.\n"},
    {"demo",
     "Utilisation : tovix-cli demo DOSSIER\n"
     "\n"
     "Crée dans DOSSIER (créé s'il manque ; les fichiers existants ne sont jamais\n"
     "remplacés) un petit dossier de CD exemple : quelques chansons encodées avec\n"
     "lame, certaines avec un tag ID3v1, d'autres sans, et une image de fond ; y\n"
     "fait la conversion BIN, les textes d'info et la paire de batch CD avec les\n"
     "réglages par défaut (seule la langue vient du fichier de réglages), crée la\n"
     "vue TV (tv-sheet.png) et l'image CD (tovix-demo.iso) dans DOSSIER et dit où\n"
     "sont les résultats.\n"},
    {"play",
     "Utilisation : tovix-cli play MP3 [--wav OUT.WAV]\n"
     "\n"
     "Joue MP3 par le composant lecteur et la bibliothèque de décodage\n"
     "libmpegdll.so du dossier du programme, en affichant chaque seconde le temps\n"
     "écoulé ; le son va sur la sortie par défaut (TOVIX_AUDIO_OUT nomme un autre\n"
     "module libout123, p. ex. dummy). Avec --wav, la chanson est décodée à la place\n"
     "dans le nouveau fichier WAV OUT.WAV (PCM 16 bits, aussi vite que le décodage\n"
     "le permet) ; un fichier existant n'est pas remplacé. Code de sortie 1 quand\n"
     "la bibliothèque ou la chanson échoue, avec le message et le code du lecteur.\n"},
};

}  // namespace

const HelpTexts kFrenchHelp = {
    "Utilisation : tovix-cli [OPTIONS] COMMANDE [ARGUMENTS...]\n",
    "Fait les opérations de Tovix sans fenêtre, avec les réglages du programme :\n"
    "tovix.ini dans le dossier du programme, ou dans $XDG_CONFIG_HOME/tovix/\n"
    "(~/.config/tovix/) quand on ne peut pas écrire dans le dossier du programme\n"
    "(une copie installée).\n",
    kCommands,
    kOptions,
    kHelp,
};

}  // namespace tovix::cli
