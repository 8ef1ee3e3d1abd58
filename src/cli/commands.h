#pragma once

#include <string>
#include <vector>

namespace korvix::cli {

// One subcommand of korvix-cli. `run` gets the arguments after the subcommand's name and
// returns the exit code; it throws UsageError for a bad command line.
struct Command {
    const char* name;
    const char* synopsis; // the usage line after "korvix-cli "
    const char* summary;
    int (*run)(const std::vector<std::string>& args);
};

// Every subcommand, in the order `--help` lists them.
const std::vector<Command>& commands();

// Runs the command line (the arguments after the program name) and returns the exit code:
// 0 success, 1 failure, 2 usage error.
int runCommandLine(const std::vector<std::string>& args);

// korvix-cli info [READING] FILE...: counts, extents, feed range, cutting time, errors.
int runInfo(const std::vector<std::string>& args);
// korvix-cli dump [READING] FILE...: every record of the toolpath, one line each.
int runDump(const std::vector<std::string>& args);
// korvix-cli convert --machine NAME [--machines-dir DIR] [--program-number N]
// [--start-text TEXT] [READING] [--verify] (IN -o OUT | --in-place IN...): writes IN for a
// machine control, or each IN over itself keeping NAME.bak.
int runConvert(const std::vector<std::string>& args);
// korvix-cli compare [--incremental-a] [--incremental-b] A B: the largest deviation between
// the toolpaths of two programs; exit 1 when they differ by more than 0.001.
int runCompare(const std::vector<std::string>& args);

// korvix-cli tbf [--tolerance T] [READING] IN... -o OUT.TBF: explode arcs, write TBF.
int runTbf(const std::vector<std::string>& args);
// korvix-cli apt [--tolerance T] [READING] IN... -o OUT: explode arcs, write APT.
int runApt(const std::vector<std::string>& args);
// korvix-cli filter [READING] IN... -o OUT [--fit-arcs ...] [--sift ...] [--reverse]
// [--explode ...] [--machine NAME]: filters in command-line order, writes NC or TBF.
int runFilter(const std::vector<std::string>& args);
// korvix-cli transform [READING] IN... -o OUT [--mirror-x] [--mirror-y] [--relocate
// DX,DY,DZ [--copies N]] [--rotate DEG --about X,Y [--copies N]] [--scale S] [--feed OLD=NEW
// ...] [--machine NAME]: the Modify all changes in command-line order, writes NC or TBF.
int runTransform(const std::vector<std::string>& args);

// korvix-cli edit [READING] IN... -o OUT [--blocks A-B] [--tool T] (--delete | --feed F
// | --relocate DX,DY,DZ | --optional-stop on|off) [--machine NAME]: the Modify changes of
// edit mode on the selected moves, writes NC or TBF.
int runEdit(const std::vector<std::string>& args);

// korvix-cli levels [READING] FILE...: one line per Z level of the toolpath.
int runLevels(const std::vector<std::string>& args);

// korvix-cli trim [READING] IN... -o OUT (--box L,B,R,T | --polygon X1,Y1,...) ...:
// trims the toolpath in the plain XY view and writes NC or TBF.
int runTrim(const std::vector<std::string>& args);

// korvix-cli render FILE... -o OUT.png|OUT.pdf [--view V] [--size WxH] [READING]
// [--no-rapids] [--wire FILE.WIR]: the picture the window would show.
int runRender(const std::vector<std::string>& args);

// korvix-cli print FILE... -o OUT.pdf [--view V] [--status nc|wire|none] [--text X,Y,STRING
// ...] [--setup-sheet] [--size WxH] [--landscape] [READING] [--no-rapids] [--wire
// FILE.WIR]: the printed page of the view (and the setup sheet) as a PDF file.
int runPrint(const std::vector<std::string>& args);

} // namespace korvix::cli
