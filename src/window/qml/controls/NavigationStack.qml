pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// A stack of pages under one navigation bar: pushed pages come in from the right, popped ones
// leave to the right; the bar's back button pops.
Item {
    id: stack

    // The first page: a component, or the URL of its QML file.
    property var root
    property var pages: []
    Component.onCompleted: if (root) push(root)
    readonly property Page current: pages.length > 0 ? pages[pages.length - 1] : null
    readonly property int depth: pages.length

    clip: true

    NavigationBar {
        id: bar
        z: 1
        width: parent.width
        page: stack.current
        backTitle: stack.pages.length > 1 ? stack.pages[stack.pages.length - 2].title : ""
        onBackTapped: stack.pop()
    }

    Item {
        id: content
        anchors.top: bar.bottom
        anchors.bottom: parent.bottom
        width: parent.width
    }

    // Pushes a page made from `component` (or the QML file at that URL, loaded only now) with
    // `properties`; the page it covers disappears.
    function push(component, properties) {
        if (typeof component.createObject !== "function")
            component = Qt.createComponent(component)
        const page = component.createObject(content, Object.assign({ navigationStack: stack }, properties || {}))
        if (!page) {
            console.warn("a page could not be made")
            return null
        }
        page.width = Qt.binding(function() { return content.width })
        page.height = Qt.binding(function() { return content.height })
        const below = current
        pages = pages.concat([page])
        if (below) {
            page.x = content.width
            slide(page, 0, below, -content.width / 3, false)
            below.disappeared()
        }
        page.appeared()
        return page
    }

    function pop() {
        if (pages.length < 2)
            return
        const leaving = pages[pages.length - 1]
        pages = pages.slice(0, pages.length - 1)
        leaving.disappeared()
        current.x = -content.width / 3
        current.visible = true
        slide(current, 0, leaving, content.width, true)
        current.appeared()
    }

    // Back to the first page, the ones above it going at once but for the top one.
    function popToRoot() {
        while (pages.length > 2) {
            const page = pages[pages.length - 2]
            pages = pages.slice(0, pages.length - 2).concat([pages[pages.length - 1]])
            page.destroy()
        }
        pop()
    }

    // Moves `entering` to `enterX` and `other` to `otherX` together; `other` is destroyed after
    // (a popped page) or hidden (a covered one).
    function slide(entering, enterX, other, otherX, destroyOther) {
        const move = slideComponent.createObject(stack, {
            entering: entering, enterX: enterX, other: other, otherX: otherX, destroyOther: destroyOther
        }) as ParallelAnimation
        move.start()
    }

    Component {
        id: slideComponent
        ParallelAnimation {
            id: move
            property Item entering
            property real enterX
            property Item other
            property real otherX
            property bool destroyOther
            NumberAnimation { target: move.entering; property: "x"; to: move.enterX; duration: Theme.moveMs; easing.type: Easing.OutCubic }
            NumberAnimation { target: move.other; property: "x"; to: move.otherX; duration: Theme.moveMs; easing.type: Easing.OutCubic }
            onFinished: {
                if (destroyOther)
                    other.destroy()
                else {
                    other.visible = false
                    other.x = 0
                }
                move.destroy()
            }
        }
    }
}
