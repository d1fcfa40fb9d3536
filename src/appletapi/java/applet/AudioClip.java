package java.applet;

/**
 * A sound that can be played once, looped, and stopped.
 *
 * @deprecated The Applet API is deprecated, no replacement.
 */
@Deprecated(since = "9", forRemoval = true)
public interface AudioClip {
    /** Plays the clip from its start, each time it is called. */
    void play();

    /** Plays the clip over and over. */
    void loop();

    /** Stops the clip. */
    void stop();
}
