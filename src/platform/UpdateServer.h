#pragma once

#include <QString>
#include <optional>

// The address of the access number update server: the --server option, else
// $FARLINE_UPDATE_SERVER, else the address the program was built with.
namespace UpdateServer {
QString resolve(const std::optional<QString> &option);
}
