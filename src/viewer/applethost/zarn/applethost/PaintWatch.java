package zarn.applethost;

import java.awt.AWTEvent;
import java.awt.Component;
import java.awt.EventQueue;
import java.awt.Toolkit;
import java.awt.event.AWTEventListener;
import java.awt.event.PaintEvent;

/** Reports "painted" once the applet has finished its first paint. */
final class PaintWatch implements AWTEventListener {
    private final Component applet;

    private PaintWatch(Component applet) {
        this.applet = applet;
    }

    static void reportFirstPaint(Component applet) {
        Toolkit.getDefaultToolkit().addAWTEventListener(new PaintWatch(applet), AWTEvent.PAINT_EVENT_MASK);
    }

    @Override
    public void eventDispatched(AWTEvent event) {
        if (event.getSource() != applet || !(event instanceof PaintEvent)) {
            return;
        }
        Toolkit.getDefaultToolkit().removeAWTEventListener(this);
        // Listeners hear of an event before it is handled: report after the paint.
        EventQueue.invokeLater(() -> Reports.line("painted", ""));
    }
}
