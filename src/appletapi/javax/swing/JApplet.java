package javax.swing;

import java.applet.Applet;
import java.awt.AWTEvent;
import java.awt.BorderLayout;
import java.awt.Component;
import java.awt.Container;
import java.awt.Graphics;
import java.awt.HeadlessException;
import java.awt.LayoutManager;
import javax.accessibility.Accessible;
import javax.accessibility.AccessibleContext;

/**
 * An applet built of Swing components: like a JFrame, it holds one JRootPane, and
 * what is added to it, or laid out in it, goes to the root pane's content pane.
 *
 * @deprecated The Applet API is deprecated, no replacement.
 */
@Deprecated(since = "9", forRemoval = true)
@SuppressWarnings("removal") // the API uses its own types
public class JApplet extends Applet implements Accessible, RootPaneContainer, TransferHandler.HasGetTransferHandler {
    private static final long serialVersionUID = -6940603610523904491L;

    /** The root pane that holds the content, layered and glass panes and the menu bar. */
    protected JRootPane rootPane;
    /** While true, add and setLayout go to the content pane; set by the constructor. */
    protected boolean rootPaneCheckingEnabled = false;

    private transient TransferHandler transferHandler;

    /** The applet's accessible context, made when first asked for. */
    protected AccessibleContext accessibleContext = null;

    /**
     * Creates a Swing applet, with the locale of JComponent.getDefaultLocale and a
     * root pane filling it.
     *
     * @throws HeadlessException when there is no display to show it on
     */
    public JApplet() throws HeadlessException {
        setLocale(JComponent.getDefaultLocale());
        setLayout(new BorderLayout());
        setRootPane(createRootPane());
        setRootPaneCheckingEnabled(true);
        setFocusTraversalPolicyProvider(true);
        enableEvents(AWTEvent.KEY_EVENT_MASK);
    }

    /** Called by the constructor to make the root pane. */
    protected JRootPane createRootPane() {
        JRootPane root = new JRootPane();
        root.setOpaque(true);
        return root;
    }

    /** Sets the handler of transfers (drag and drop, cut and paste) into this applet. */
    public void setTransferHandler(TransferHandler newHandler) {
        TransferHandler old = transferHandler;
        transferHandler = newHandler;
        SwingUtilities.installSwingDropTargetAsNecessary(this, transferHandler);
        firePropertyChange("transferHandler", old, newHandler);
    }

    /** The handler of transfers into this applet, or null. */
    @Override
    public TransferHandler getTransferHandler() {
        return transferHandler;
    }

    /** Only paints: the root pane covers the applet, so there is no background to clear. */
    @Override
    public void update(Graphics g) {
        paint(g);
    }

    /** Sets the menu bar, in the root pane. */
    public void setJMenuBar(JMenuBar menuBar) {
        getRootPane().setJMenuBar(menuBar);
    }

    /** The menu bar, or null. */
    public JMenuBar getJMenuBar() {
        return getRootPane().getJMenuBar();
    }

    /** Whether add and setLayout go to the content pane. */
    protected boolean isRootPaneCheckingEnabled() {
        return rootPaneCheckingEnabled;
    }

    /** Whether add and setLayout go to the content pane. */
    protected void setRootPaneCheckingEnabled(boolean enabled) {
        rootPaneCheckingEnabled = enabled;
    }

    /** Adds to the content pane while root pane checking is enabled, else to the applet. */
    @Override
    protected void addImpl(Component comp, Object constraints, int index) {
        if (isRootPaneCheckingEnabled()) {
            getContentPane().add(comp, constraints, index);
        } else {
            super.addImpl(comp, constraints, index);
        }
    }

    /** Removes comp from the content pane; the root pane itself from the applet. */
    @Override
    public void remove(Component comp) {
        if (comp == rootPane) {
            super.remove(comp);
        } else {
            getContentPane().remove(comp);
        }
    }

    /** Sets the content pane's layout while root pane checking is enabled, else the applet's. */
    @Override
    public void setLayout(LayoutManager manager) {
        if (isRootPaneCheckingEnabled()) {
            getContentPane().setLayout(manager);
        } else {
            super.setLayout(manager);
        }
    }

    @Override
    public JRootPane getRootPane() {
        return rootPane;
    }

    /** Replaces the root pane, which fills the applet. */
    protected void setRootPane(JRootPane root) {
        if (rootPane != null) {
            remove(rootPane);
        }
        rootPane = root;
        if (rootPane != null) {
            boolean checking = isRootPaneCheckingEnabled();
            try {
                setRootPaneCheckingEnabled(false);
                add(rootPane, BorderLayout.CENTER);
            } finally {
                setRootPaneCheckingEnabled(checking);
            }
        }
    }

    @Override
    public Container getContentPane() {
        return getRootPane().getContentPane();
    }

    @Override
    public void setContentPane(Container contentPane) {
        getRootPane().setContentPane(contentPane);
    }

    @Override
    public JLayeredPane getLayeredPane() {
        return getRootPane().getLayeredPane();
    }

    @Override
    public void setLayeredPane(JLayeredPane layeredPane) {
        getRootPane().setLayeredPane(layeredPane);
    }

    @Override
    public Component getGlassPane() {
        return getRootPane().getGlassPane();
    }

    @Override
    public void setGlassPane(Component glassPane) {
        getRootPane().setGlassPane(glassPane);
    }

    /** A graphics context for drawing on the applet. */
    @Override
    public Graphics getGraphics() {
        return super.getGraphics();
    }

    /** Repaints the rectangle within time milliseconds. */
    @Override
    public void repaint(long time, int x, int y, int width, int height) {
        super.repaint(time, x, y, width, height);
    }

    /** This applet's state as text, for debugging. */
    @Override
    protected String paramString() {
        return super.paramString() + ",rootPane=" + (rootPane == null ? "" : rootPane.toString())
                + ",rootPaneCheckingEnabled=" + rootPaneCheckingEnabled;
    }

    /** The applet's accessible context, made when first asked for. */
    @Override
    public AccessibleContext getAccessibleContext() {
        if (accessibleContext == null) {
            accessibleContext = new AccessibleJApplet();
        }
        return accessibleContext;
    }

    /** A Swing applet as assistive technology sees it. */
    protected class AccessibleJApplet extends AccessibleApplet {
        private static final long serialVersionUID = -7345678942864978889L;

        /** Constructs the accessible Swing applet. */
        protected AccessibleJApplet() {
        }
    }
}
