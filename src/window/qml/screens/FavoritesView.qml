pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The favourites tab: a tap calls; Edit switches to editing, where rows are deleted (after a
// second question) and moved by their handle; "+" opens the people picker.
Page {
    id: view
    title: Favorites.title
    leftButton: Favorites.showsEditButton ? (Favorites.editing ? "Done" : "Edit") : ""
    leftDone: Favorites.editing
    onLeftTapped: Favorites.setEditing(!Favorites.editing)
    rightButton: Favorites.showsAddButton ? "Add" : ""
    rightSystemAdd: true
    onRightTapped: Favorites.NewAction()

    Component.onCompleted: Favorites.loadView()

    // The row asking whether to delete it; -1 for none.
    property int confirmingRow: -1
    Connections {
        target: Favorites
        function onEditingChanged() { view.confirmingRow = -1 }
    }

    PlainList {
        id: table
        anchors.fill: parent
        model: Favorites.model
        emptyText: "No favorites"
        list.interactive: drag.row < 0

        // The row being moved and where the finger holds it.
        QtObject {
            id: drag
            property int row: -1
            property real startY
            property real offset
        }

        delegate: NormalSyteCell {
            id: cell
            required property int index
            required property string name
            required property string type
            required property string number
            required property bool callable
            text: name
            textLabel.color: highlighted ? Theme.highlightedText : callable ? Theme.text : Theme.greyText
            sideText: type
            editing: Favorites.editing
            showingDeleteConfirmation: view.confirmingRow === index
            highlighted: Favorites.selectedRow === index
            z: drag.row === index ? 1 : 0
            transform: Translate { y: drag.row === cell.index ? drag.offset : 0 }
            onTapped: {
                if (view.confirmingRow >= 0)
                    view.confirmingRow = -1
                else if (!Favorites.editing)
                    Favorites.selectRow(index)
            }
            onDeleteControlTapped: view.confirmingRow = view.confirmingRow === index ? -1 : index
            onDeleteTapped: {
                view.confirmingRow = -1
                Favorites.deleteRow(index)
            }
            onHandlePressed: (y) => { drag.row = index; drag.startY = y; drag.offset = 0 }
            onHandleMoved: (y) => drag.offset = y - drag.startY
            onHandleReleased: {
                const to = Math.max(0, Math.min(table.list.count - 1, index + Math.round(drag.offset / height)))
                const from = drag.row
                drag.row = -1
                drag.offset = 0
                if (to !== from)
                    Favorites.moveRow(from, to)
            }
        }
    }
}
