# Warnings and sanitizers shared by every target of the project.
add_library(chatsieve_options INTERFACE)
target_compile_options(chatsieve_options INTERFACE -Wall -Wextra -Wpedantic)
if(CHATSIEVE_WERROR)
  target_compile_options(chatsieve_options INTERFACE -Werror)
endif()
if(CHATSIEVE_SANITIZE)
  target_compile_options(chatsieve_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(chatsieve_options INTERFACE -fsanitize=address,undefined)
endif()
