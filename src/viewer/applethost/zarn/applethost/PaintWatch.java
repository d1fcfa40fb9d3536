package zarn.applethost;

import java.awt.AWTEvent;
import java.awt.Component;
import java.awt.Container;
import java.awt.EventQueue;
import java.awt.Toolkit;
import java.awt.event.AWTEventListener;
import java.awt.event.PaintEvent;

/** Reports "painted" once the applet, or a component of it, has finished its first paint. */
final class PaintWatch implements AWTEventListener {
    private final Container applet;

    private PaintWatch(Container applet) {
        this.applet = applet;
    }

    static void reportFirstPaint(Container applet) {
        Toolkit.getDefaultToolkit().addAWTEventListener(new PaintWatch(applet), AWTEvent.PAINT_EVENT_MASK);
    }

    @Override
    public void eventDispatched(AWTEvent event) {
        // A component of the applet's own counts: one that covers it all leaves the
        // applet itself nothing to paint.
        if (!(event instanceof PaintEvent) || !(event.getSource() instanceof Component)) {
            return;
        }
        Component source = (Component) event.getSource();
        if (source != applet && !applet.isAncestorOf(source)) {
            return;
        }
        Toolkit.getDefaultToolkit().removeAWTEventListener(this);
        // Listeners hear of an event before it is handled: report after the paint.
        EventQueue.invokeLater(() -> Reports.line("painted", ""));
    }
}
