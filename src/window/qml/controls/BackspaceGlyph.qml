import QtQuick
import Farline.Window

// The backspace key's mark: a tag pointing left with a cross in it.
Canvas {
    implicitWidth: 34
    implicitHeight: 24
    onPaint: {
        const c = getContext("2d")
        c.reset()
        c.strokeStyle = Theme.textOnDark
        c.fillStyle = Theme.textOnDark
        c.lineWidth = 2
        c.lineJoin = "round"
        const w = width, h = height
        c.beginPath()
        c.moveTo(1, h / 2)
        c.lineTo(h / 2, 1)
        c.lineTo(w - 2, 1)
        c.lineTo(w - 2, h - 1)
        c.lineTo(h / 2, h - 1)
        c.closePath()
        c.stroke()
        const cx = h / 2 + (w - 2 - h / 2) / 2, cy = h / 2, r = h / 5
        c.beginPath()
        c.moveTo(cx - r, cy - r); c.lineTo(cx + r, cy + r)
        c.moveTo(cx + r, cy - r); c.lineTo(cx - r, cy + r)
        c.stroke()
    }
}
