// The program's own load of an access number file as a whole process, to be timed beside
// `openssl enc -d` on the same file (compare_with_openssl.py).
//
//   bench_lan_load write FILE       writes the large benchmark file (LargeLANFile)
//   bench_lan_load load FILE KEY    loads FILE for KEY as the program does; prints the count

#include "LargeLANFile.h"

#include "access/LANManger.h"

#include <QFile>
#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "write") == 0) {
        QFile file(QString::fromLocal8Bit(argv[2]));
        const QByteArray bytes = LargeLANFile::enciphered();
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? 0 : 1;
    }
    if (argc == 4 && std::strcmp(argv[1], "load") == 0) {
        LANManger table(QString::fromLocal8Bit(argv[2]));
        table.loadLANArray(QString::fromLocal8Bit(argv[3]));
        std::printf("%lld\n", static_cast<long long>(table.lanNumbers().size()));
        return table.lanNumbers().isEmpty() ? 1 : 0;
    }
    std::fprintf(stderr, "usage: bench_lan_load write FILE | load FILE KEY\n");
    return 2;
}
