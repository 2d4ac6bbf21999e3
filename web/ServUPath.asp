<%const ServUPath="C:\Program Files\Serv-U\"%>
