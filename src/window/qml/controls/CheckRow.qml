import QtQuick
import Farline.Window

// A row of a choice: the chosen one carries the check mark and grey text.
TableCell {
    textColor: checked ? Theme.checkedText : Theme.text
}
