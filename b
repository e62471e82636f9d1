taleforge-playe 15
QXcbEventQueue 0
Thread (pooled) 2
Thread (pooled) 1
SDLAudioP2 8
QDBusConnection 0
taleforge-playe 1
