# Sounds and help.
tw_add_test(test_sound test_sound.cpp)
tw_add_test(test_help test_help.cpp)
