package zarn.appletapi;

/**
 * Says whether the JDK it runs on has the Applet API of its own: exit status 0
 * when it has java.applet.Applet and javax.swing.JApplet, 1 when it lacks them.
 */
public final class Probe {
    private Probe() {
    }

    public static void main(String[] args) {
        try {
            Class.forName("java.applet.Applet", false, null);
            Class.forName("javax.swing.JApplet", false, null);
            System.exit(0);
        } catch (ClassNotFoundException | LinkageError e) {
            System.exit(1);
        }
    }
}
