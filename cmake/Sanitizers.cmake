# -DQF_SANITIZE=ON builds everything with AddressSanitizer (leaks included) and UBSan; any report aborts.
option(QF_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(QF_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
