#include "CommandLineProgram.h"

QString WithProgram(const QString& commandLine, const QString& program) {
    const QString quoted = program.contains(u' ') ? u'"' + program + u'"' : program;
    qsizetype start = commandLine.indexOf(u'{');
    if (start < 0) return quoted;
    while (start > 0 && !commandLine.at(start - 1).isSpace()) --start;
    return quoted + u' ' + commandLine.mid(start);
}
