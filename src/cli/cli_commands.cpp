// The commands of korvix-cli and the dispatch of a command line to them.

#include "cli/cli_args.h"
#include "cli/commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace korvix::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"info", "info [READING] FILE...",
         "read files and print their extents, feed range, cutting time and parse errors", runInfo},
        {"dump", "dump [READING] [--lines] FILE...",
         "read files and list every record of the toolpath; --lines ends each with @F:L, the "
         "argument and line it was read from (@- for none)",
         runDump},
        {"convert",
         "convert --machine NAME [--machines-dir DIR] [--program-number N] [--start-text TEXT] "
         "[READING] [--verify] (IN -o OUT | --in-place IN...)",
         "read IN and write it as an NC program for the machine format NAME (or Default); "
         "--in-place rewrites each IN keeping its original as IN.bak; --verify reads the "
         "written program back and fails when its toolpath differs",
         runConvert},
        {"compare", "compare [--incremental-a] [--incremental-b] A B",
         "read two programs and print the largest deviation between their toolpaths; exit 1 "
         "when it is above 0.001 or their rapid/feed moves or tools differ",
         runCompare},
        {"tbf", "tbf [--tolerance T] [READING] IN... -o OUT.TBF",
         "read files, explode arcs with tolerance T (default 0.0005) and write a TBF file", runTbf},
        {"apt", "apt [--tolerance T] [READING] IN... -o OUT",
         "read files, explode arcs with tolerance T (default 0.0005) and write an APT file",
         runApt},
        {"filter",
         "filter [READING] IN... -o OUT [--fit-arcs [--tolerance T] [--max-radius R] "
         "[--xy-only]] [--sift [--tolerance T] [--rapids]] [--reverse] [--explode [--tolerance "
         "T]] [--machine NAME] [--machines-dir DIR]",
         "read files, fit arcs (default tolerance 0.0012, radius 99.99), sift points "
         "(0.0005), reverse, explode arcs (0.0005) in the order given; write an NC program, "
         "or TBF when OUT ends in .TBF",
         runFilter},
        {"levels", "levels [READING] FILE...",
         "read files and list the Z levels of the toolpath: depth, first and last block, "
         "moves and cutting time of each",
         runLevels},
        {"transform",
         "transform [READING] IN... -o OUT [--mirror-x] [--mirror-y] [--relocate DX,DY,DZ "
         "[--copies N]] [--rotate DEG --about X,Y [--copies N]] [--scale S] [--feed OLD=NEW ...] "
         "[--machine NAME] [--machines-dir DIR]",
         "read files, mirror, relocate, rotate, scale and change feed rates of the whole "
         "toolpath in the order given (copies appended after the path); write an NC program, "
         "or TBF when OUT ends in .TBF",
         runTransform},
        {"edit",
         "edit [READING] IN... -o OUT (--blocks A-B | --tool T) (--delete | --feed F | "
         "--relocate DX,DY,DZ | --optional-stop on|off) [--machine NAME] [--machines-dir DIR]",
         "read files, select moves by block numbers and/or tool and delete them, give the "
         "selected cutting moves feed rate F, relocate them (the moves into and out of them "
         "stretch) or set or clear their optional stops; write an NC program, or TBF when OUT "
         "ends in .TBF",
         runEdit},
        {"trim",
         "trim [READING] IN... -o OUT (--box L,B,R,T | --polygon X1,Y1,X2,Y2,...) "
         "[--outside] [--primary Z] [--secondary Z [--relative]] [--plunge-feed F] "
         "[--feed-positioning] [--tolerance T] [--deepest Z [--remove-wasted]] [--machine NAME] "
         "[--machines-dir DIR]",
         "read files and trim the toolpath to a box or polygon in the XY view (keep inside, "
         "or outside), linking the kept pieces through the rapid planes (default: the highest "
         "Z); arcs become chords (tolerance 0.0005); --deepest limits Z travel; write an NC "
         "program, or TBF when OUT ends in .TBF",
         runTrim},
        {"render",
         "render FILE... -o OUT.png|OUT.pdf [--view xy|xz|yz|iso1|iso2|iso3|iso4] [--size WxH] "
         "[READING] [--no-rapids] [--wire FILE.WIR]",
         "read files and draw them as the window shows them (default xy view, 1280x960) into a "
         "PNG image or a one-page PDF in printer colours",
         runRender},
        {"print",
         "print FILE... -o OUT.pdf [--view xy|xz|yz|iso1|iso2|iso3|iso4] [--status nc|wire|none] "
         "[--text X,Y,STRING ...] [--setup-sheet] [--size WxH] [--landscape] [READING] "
         "[--no-rapids] [--wire FILE.WIR]",
         "read files and print the view as File -> Print does, to an A4 PDF: the toolpath in "
         "black and its colours, the tripod, a status block, texts placed at pixels of a WxH "
         "screen (default 1280x960) and the banner; --setup-sheet adds the tool list with "
         "cutting times and Z ranges",
         runPrint},
    };
    return table;
}

namespace {

void printHelp() {
    std::printf("Usage: korvix-cli COMMAND [OPTIONS] FILE...\n"
                "       korvix-cli --help | --version\n\n"
                "Korvix reads NC (G-code) programs, wire-frames and TBF files, and reports,\n"
                "converts, filters and renders them without a window.\n\n"
                "Commands:\n");
    for (const Command& command : commands())
        std::printf("  %-10s %s\n             korvix-cli %s\n", command.name, command.summary,
                    command.synopsis);
    if (commands().empty())
        std::printf("  (none yet)\n");
    std::printf("\nREADING, the options of every command that reads NC programs:\n"
                "  --centers absolute|incremental|auto  what I, J, K mean (default absolute;\n"
                "                                       auto: the type the arcs fit)\n"
                "  --incremental                        the same as --centers incremental\n"
                "  --lower-case                         read lower-case words (g1x5)\n");
    std::printf("\nExit codes: 0 success, 1 failure, 2 usage error.\n");
}

const Command* findCommand(const std::string& name) {
    for (const Command& command : commands())
        if (name == command.name)
            return &command;
    return nullptr;
}

// A listing cut short (a full disk, a closed pipe) must not look like a complete one.
int standardOutputChecked(const char* commandName, int code) {
    errno = 0;
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0)
        return code;
    const int error = errno != 0 ? errno : EIO;
    std::fprintf(stderr, "korvix-cli %s: cannot write to standard output: %s\n", commandName,
                 std::strerror(error));
    return code == kExitOk ? kExitFailure : code;
}

} // namespace

int runCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "korvix-cli: no command given (try korvix-cli --help)\n");
        return kExitUsage;
    }
    const std::string& name = args.front();
    if (name == "--help" || name == "-h" || name == "help") {
        printHelp();
        return kExitOk;
    }
    if (name == "--version") {
        std::printf("korvix-cli %s\n", KORVIX_VERSION);
        return kExitOk;
    }
    const Command* command = findCommand(name);
    if (command == nullptr) {
        std::fprintf(stderr, "korvix-cli: unknown command '%s' (try korvix-cli --help)\n",
                     name.c_str());
        return kExitUsage;
    }
    try {
        const int code = command->run(std::vector<std::string>(args.begin() + 1, args.end()));
        return standardOutputChecked(command->name, code);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "korvix-cli %s: %s\nusage: korvix-cli %s\n", command->name,
                     error.what(), command->synopsis);
        return kExitUsage;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvix-cli %s: %s\n", command->name, error.what());
        return kExitFailure;
    }
}

} // namespace korvix::cli
