import QtQuick
import Farline.Window

// The about or the help page: rich text that scrolls; a tapped link goes by the page's rules.
Page {
    id: view
    required property PageViewController page
    title: page.title

    Rectangle {
        anchors.fill: parent
        color: Theme.plainBackground

        Flickable {
            id: flick
            anchors.fill: parent
            contentHeight: text.height + 24
            boundsBehavior: Flickable.StopAtBounds
            clip: true

            Text {
                id: text
                x: 12
                y: 12
                width: flick.width - 24
                textFormat: Text.RichText
                wrapMode: Text.WordWrap
                text: view.page.text
                baseUrl: view.page.url
                font.family: Theme.font
                font.pixelSize: Theme.bodySize
                color: Theme.pageText
                linkColor: Theme.link
                onLinkActivated: (link) => view.page.linkActivated(link)
                onTextChanged: flick.contentY = 0
                Accessible.role: Accessible.StaticText
                Accessible.name: view.title
            }
        }
    }
}
