#include "cli/cli.h"

#include "cli/standardoutput.h"

#include <cstdio>
#include <unistd.h>

Cli::Cli(CliOptions options) : m_options(std::move(options)), m_terminal(::isatty(STDERR_FILENO) == 1) {}

int Cli::Fail(int status, const QString &subject, const QString &text)
{
    EndProgress();
    const QString line = subject.isEmpty() ? text : subject + QStringLiteral(": ") + text;
    std::fprintf(stderr, "quarntrim-cli: %s\n", qPrintable(line));
    return status;
}

void Cli::Out(const QString &line)
{
    EndProgress();
    StandardOutput::WriteLine(line);
}

void Cli::Progress(const QString &text, int percent)
{
    if (!m_terminal || m_options.quiet) return;
    // Padded so that a shorter text wipes a longer one.
    std::fprintf(stderr, "\r%-44s %3d %%", qPrintable(text.left(44)), percent);
    std::fflush(stderr);
    m_progressShown = true;
}

void Cli::EndProgress()
{
    if (!m_progressShown) return;
    std::fputc('\n', stderr);
    m_progressShown = false;
}
