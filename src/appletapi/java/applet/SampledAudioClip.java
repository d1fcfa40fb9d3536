package java.applet;

import java.io.BufferedInputStream;
import java.io.InputStream;
import java.net.URL;
import javax.sound.sampled.AudioInputStream;
import javax.sound.sampled.AudioSystem;
import javax.sound.sampled.Clip;

/**
 * The clip of {@link Applet#newAudioClip}: the sound at a URL, read when first
 * played, through the platform's sampled-sound API. A sound that cannot be read
 * or played stays silent, as a missing sound did in a browser.
 */
@SuppressWarnings("removal") // the API uses its own types
final class SampledAudioClip implements AudioClip {
    private final URL url;
    private Clip clip;
    private boolean unplayable;

    SampledAudioClip(URL url) {
        this.url = url;
    }

    @Override
    public synchronized void play() {
        Clip ready = ready();
        if (ready != null) {
            ready.stop();
            ready.setFramePosition(0);
            ready.start();
        }
    }

    @Override
    public synchronized void loop() {
        Clip ready = ready();
        if (ready != null) {
            ready.loop(Clip.LOOP_CONTINUOUSLY);
        }
    }

    @Override
    public synchronized void stop() {
        if (clip != null) {
            clip.stop();
        }
    }

    private Clip ready() {
        if (clip != null || unplayable) {
            return clip;
        }
        try (InputStream in = new BufferedInputStream(url.openStream());
                AudioInputStream sound = AudioSystem.getAudioInputStream(in)) {
            Clip opened = AudioSystem.getClip();
            opened.open(sound);
            clip = opened;
        } catch (Exception | LinkageError e) {
            unplayable = true;
        }
        return clip;
    }
}
