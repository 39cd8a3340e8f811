#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <tuple>

// One finished run of a program: its exit status (-1 when it crashed or did not end in time)
// and what it wrote.
struct ProcessRun
{
    int exitCode = -1;
    QByteArray rawOut;
    QString out;
    QString err;

    QStringList outLines() const;
    QStringList errLines() const;
    std::tuple<int, QString, QString> all() const { return {exitCode, out, err}; }
};

// The system environment with `variables` ("NAME=value") added.
QProcessEnvironment environmentWith(const QStringList &variables);

// Runs `program` with `arguments`, environment variables `environment` added and `input` on its
// standard input, and waits for its end.
ProcessRun runProcess(const QString &program, const QStringList &arguments, const QStringList &environment = {},
                      const QByteArray &input = {});
